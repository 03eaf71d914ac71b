#include "render/drawing.h"

#include <algorithm>
#include <vector>

#include "cvx/dbents.h"
#include "db/block_walk.h"
#include "render/entities.h"
#include "render/hatch.h"
#include "render/pen.h"
#include "render/text.h"

namespace cvx::render {

namespace {

template <typename T>
const T* peek(AcDbObjectId id) {
    if (id.isNull() || id.isErased()) return nullptr;
    return T::cast(id.objectPtr());
}

bool isLayerZero(const AcDbLayerTableRecord* layer) { return layer && layer->name() == L"0"; }

// What an entity inside a block reference takes from it.
struct Inherited {
    uint32_t blockColor;                  // for by-block colours
    const AcDbLayerTableRecord* layer;    // for entities on layer 0
    bool inBlock;
};

class Drawer {
public:
    Drawer(const AcDbDatabase& db, Sink& sink, FontSet& fonts, uint32_t background)
        : mSink(sink), mFonts(fonts), mBackground(background) {
        mPoints.mode = db.pdmode();
        mPoints.size = db.pdsize();
    }

    void drawBlock(const AcDbBlockTableRecord& block, const AcGeMatrix3d& toWorld, const Inherited& from) {
        for (AcDbObjectId id : block.entityIds())
            if (const AcDbEntity* e = peek<AcDbEntity>(id)) drawEntity(*e, toWorld, from);
    }

    void drawEntity(const AcDbEntity& e, const AcGeMatrix3d& toWorld, const Inherited& from) {
        if (e.visibility() == AcDb::kInvisible) return;
        const AcDbLayerTableRecord* layer = peek<AcDbLayerTableRecord>(e.layerId());
        if (from.layer && (!layer || isLayerZero(layer))) layer = from.layer;
        if (layer && layer->isFrozen()) return;
        bool layerOff = layer && layer->isOff();

        uint32_t rgb = colorOf(e.color(), layer, from);
        Pen pen(mSink, toWorld, rgb);
        if (auto* ref = AcDbBlockReference::cast(&e)) {
            // An insert on a layer that is off still shows its contents that lie on other layers.
            const auto* block = peek<AcDbBlockTableRecord>(ref->blockTableRecord());
            if (db::BlockVisit visit(block); visit) drawBlock(*block, toWorld * ref->blockTransform(), {rgb, layer, true});
            if (!layerOff) drawAttributes(*ref, toWorld, {rgb, layer, true});
            return;
        }
        if (layerOff || AcDbAttributeDefinition::cast(&e)) return;
        if (auto* text = AcDbText::cast(&e)) drawText(pen, mFonts, *text);
        else if (auto* mtext = AcDbMText::cast(&e)) drawMText(pen, mFonts, *mtext, mBackground);
        else if (auto* hatch = AcDbHatch::cast(&e)) drawHatch(pen, *hatch);
        else drawPlainEntity(pen, e, mPoints);  // kinds not drawn are skipped
    }

private:
    // Attributes lie in the reference's own coordinates, not the block's.
    void drawAttributes(const AcDbBlockReference& ref, const AcGeMatrix3d& toWorld, const Inherited& from) {
        for (AcDbObjectId id : ref.attributeIds()) {
            const AcDbAttribute* att = peek<AcDbAttribute>(id);
            if (att && !(att->attributeFlags() & 1)) drawEntity(*att, toWorld, from);
        }
    }

    uint32_t colorOf(const AcCmEntityColor& c, const AcDbLayerTableRecord* layer, const Inherited& from) const {
        if (c.isByBlock()) return from.inBlock ? from.blockColor : drawnColor(c, mBackground);
        if (c.isByLayer() && layer) return drawnColor(layer->color(), mBackground);
        return drawnColor(c, mBackground);
    }

    Sink& mSink;
    FontSet& mFonts;
    uint32_t mBackground;
    PointStyle mPoints;
};

}  // namespace

uint32_t drawnColor(const AcCmEntityColor& color, uint32_t background) {
    if (color.isByColor()) return color.rgb() & 0xFFFFFF;
    int aci = color.isByACI() ? std::abs(color.colorIndex()) : 7;
    if (aci >= 1 && aci <= 255 && aci != 7) return AcCmEntityColor::lookUpRGB(uint8_t(aci)) & 0xFFFFFF;
    int r = (background >> 16) & 0xFF, g = (background >> 8) & 0xFF, b = background & 0xFF;
    bool light = 299 * r + 587 * g + 114 * b > 127500;  // perceived brightness above one half
    return light ? 0x000000 : 0xFFFFFF;
}

void drawModelSpace(const AcDbDatabase& db, Sink& sink, FontSet& fonts, uint32_t background) {
    const auto* model = peek<AcDbBlockTableRecord>(db.modelSpaceId());
    if (!model) return;
    db::BlockWalk walk;
    Drawer(db, sink, fonts, background).drawBlock(*model, AcGeMatrix3d(), {0xFFFFFF, nullptr, false});
}

void drawEntities(const AcDbDatabase& db, const std::vector<AcDbObjectId>& ids, Sink& sink, FontSet& fonts,
                  uint32_t background) {
    db::BlockWalk walk;
    Drawer drawer(db, sink, fonts, background);
    for (AcDbObjectId id : ids)
        if (const AcDbEntity* e = peek<AcDbEntity>(id)) drawer.drawEntity(*e, AcGeMatrix3d(), {0xFFFFFF, nullptr, false});
}

}  // namespace cvx::render
