#include "frame/command_table.h"

#include "formula/formula_command.h"
#include "frame/about.h"
#include "frame/product.h"
#include "holenet/holenet_command.h"
#include "linkline/link_commands.h"
#include "outline/commands.h"
#include "polyline/commands.h"
#include "polyline/coordinate_file.h"
#include "polyline/text_outline.h"
#include "reports/commands.h"
#include "shaping/affect_commands.h"
#include "shaping/batch_intersect_commands.h"
#include "shaping/blends_command.h"
#include "shaping/fence_map_command.h"
#include "shaping/interpolation_commands.h"
#include "vectorize/r2v_command.h"

namespace {

const std::array<CommandEntry, kCommandCount> kTable = {{
    {L"CVX_PLYH", L"PLYH", true, &plyhCommand},
    {L"CVX_PLYH2", L"PLYH2", true, &plyh2Command},
    {L"CVX_PLYH3", L"PLYH3", true, &plyh3Command},
    {L"CVX_QXTY", L"QXTY", true, &qxtyCommand},
    {L"CVX_PLLIST", L"PLLIST", true, &pllistCommand},
    {L"CVX_CircleLIST", L"CLIST", true, &clistCommand},
    {L"CVX_EllipseLIST", L"ELLLIST", true, &elllistCommand},
    {L"CVX_ARCLIST", L"ARCLIST", true, &arclistCommand},
    {L"CVX_spline2pline", L"s2p", true, &s2pCommand},
    {L"CVX_pline2spline", L"p2s", true, &p2sCommand},
    {L"CVX_PLBH", L"PLBH", true, &plbhCommand},
    {L"CVX_PLReverse", L"PLDD", true, &plddCommand},
    {L"CVX_PLDevide", L"PLDF", true, &pldfCommand},
    {L"CVX_plineDevideByDist", L"PLDJDF", true, &pldjdfCommand},
    {L"CVX_HatchBound", L"CHBJ", true, &chbjCommand},
    {L"CVX_Text2PL", L"txt2PL", true, &txt2plCommand},
    {L"CVX_PLGXK", L"PLGXK", true, &plgxkCommand},
    {L"CVX_PLCLOSE", L"PLCLOSE", true, &plcloseCommand},
    {L"CVX_PLOPEN", L"PLOPEN", true, &plopenCommand},
    {L"CVX_PLOFFSET", L"PLOFFSET", true, &ploffsetCommand},
    {L"CVX_PLRNDArray", L"PLRNDArray", true, &plrndarrayCommand},
    {L"CVX_PLINT", L"PLINT", true, &plintCommand},
    {L"CVX_PLARRAY", L"PLARR", true, &plarrCommand},
    {L"CVX_PLBLENDS", L"PLBLENDS", true, &plblendsCommand},
    {L"CVX_PLMAP4", L"PLMAP4", true, &plmap4Command},
    {L"CVX_PLINTERSECT", L"PLJD", true, &pljdCommand},
    {L"CVX_PLINTERSECT1", L"PLJD1", true, &pljd1Command},
    {L"CVX_PLAFFECT", L"PLAFFECT", true, &plAffectCommand},
    {L"CVX_plAffectMoveX", L"plAffectMoveX", true, &plAffectMoveXCommand},
    {L"CVX_plAffClick", L"plAffClick", true, &plAffClickCommand},
    {L"CVX_TXTZB2PL", L"ZB2PL", true, &zb2plCommand},
    {L"CVX_PL2OLD", L"PL2OLD", true, &pl2oldCommand},
    {L"CVX_OLDPL2LW", L"OLDPL2LW", true, &oldpl2lwCommand},
    {L"CVX_linkLine00", L"linkLine00", true, &linkLine00},
    {L"CVX_linkLine90", L"linkLine90", true, &linkLine90},
    {L"CVX_linkLineAuto", L"linkLineAuto", true, &linkLineAuto},
    {L"CVX_INOFFSET", L"INOFFSET", true, &inoffsetCommand},
    {L"CVX_makeOutline", L"makeOutline", true, &makeOutlineCommand},
    {L"CVX_VECTORIZE", L"R2V", true, &r2vCommand},
    {L"CVX_ImageHoleNet", L"txwk", true, &imageHoleNetCommand},
    {L"CVX_ABOUT", L"ABOUT_CURVIX", true, &aboutCurvix},
    {L"CVX_FORMULA", L"FORMULA", true, &formulaCommand},
    {L"CVX_DEMO1", L"CVX_DEMO1", true, &demo1},
    {L"CVX_DEMO2", L"CVX_DEMO2", true, &demo2},
    {L"CVX_DEMO3", L"CVX_DEMO3", true, &demo3},
    {L"CVX_DEMO4", L"CVX_DEMO4", true, &demo4},
    {L"CVX_DEMO5", L"CVX_DEMO5", true, &demo5},
    {L"CVX_DEMO6", L"CVX_DEMO6", true, &demo6},
    {L"CVX_DEMO7", L"CVX_DEMO7", true, &demo7},
    {L"CVX_DEMO8", L"CVX_DEMO8", true, &demo8},
    {L"CVX_DEMOJM", L"CVX_DEMOJM", false, &demoJM},
    {L"CVX_DEMOST", L"CVX_DEMOST", false, &demoST},
    {L"CVX_DEMOQM", L"CVX_DEMOQM", false, &demoQM},
}};

}  // namespace

const std::array<CommandEntry, kCommandCount>& commandTable() { return kTable; }

void registerCommands() {
    for (const CommandEntry& entry : kTable)
        acedRegCmds->addCommand(kCommandGroup, entry.globalName, entry.localName, ACRX_CMD_MODAL, entry.function,
                                nullptr, -1, nullptr);
}
