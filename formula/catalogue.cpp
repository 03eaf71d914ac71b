#include "formula/catalogue.h"

#include <map>

#include "frame/language.h"

namespace {

FormulaParam P(const wchar_t* label, int32_t min, int32_t def, int32_t max) { return {label, min, def, max}; }
FormulaParam H(int32_t min, int32_t def, int32_t max) { return {L"", min, def, max}; }  // not used by the row
const FormulaParam none{};

FormulaCurveEntry row(const wchar_t* label, FormulaParam p1 = none, FormulaParam p2 = none,
                      FormulaParam p3 = none, FormulaParam p4 = none) {
    return {label, 0, {p1, p2, p3, p4}};
}

FormulaCatalogue buildEnglish() {
    const FormulaParam waves = P(L"Waves", 1, 10, 100), hight = P(L"Hight", 1, 10, 1000);
    const FormulaParam loops = P(L"Loops", 1, 10, 100), direction = P(L"Direction", 0, 1, 1);
    const FormulaParam R = P(L"R", 1, 10, 1000), A = P(L"A", 1, 10, 1000);
    auto precision = [](int32_t def, int32_t max) { return P(L"Precision", 1, def, max); };
    auto cycloid = [&](const wchar_t* label, int32_t cDefault) {
        return row(label, P(L"A", 1, 5, 100), P(L"B", 1, 8, 16), P(L"C", 1, cDefault, 10), precision(12, 36));
    };
    FormulaCatalogue t = {
        row(L"1. Heart", P(L"Width", 1, 10, 1000)),
        row(L"2. Wave", waves, hight),
        row(L"3. Sin Wave", waves, hight),
        row(L"4. Sin Widening Curve", waves, hight),
        row(L"5. LOG Curve", P(L"HightTimes", 1, 1, 100), H(1, 10, 10000)),
        row(L"6. Hyperbola", P(L"a", 1, 4, 10), P(L"b", 1, 3, 10), P(L"N", 1, 1, 10)),
        row(L"7. Parabola", P(L"a", 1, 8, 100), P(L"N", 1, 1, 100)),
        row(L"8. Disk Spring", P(L"Spring Radius", 1, 20, 100), P(L"Dist", 1, 10, 100), P(L"Loops", 1, 5, 100)),
        row(L"9. Electrocardiogram", P(L"A", 50, 200, 200), P(L"B", 100, 498, 1000), precision(7, 36)),
        row(L"10.GoldenIngot", A, P(L"B", 100, 498, 1000), precision(7, 36)),
        row(L"11.Mushroom", R, precision(20, 100), H(1, 30, 36)),
        row(L"12.Tricuspid", P(L"Spring Radius", 1, 20, 100), P(L"Tips", 3, 3, 36)),
        row(L"13.Involute", loops, direction, P(L"Radius", 1, 1, 100)),
        row(L"14.Archimedes Spiral", loops, direction, P(L"Radius", 1, 1, 100)),
        row(L"15.Logarithmic Spiral", loops, direction, P(L"Dist", 1, 5, 1000), P(L"Radius", 1, 1, 100)),
        row(L"16.Hyperbolic Spiral", loops, direction, P(L"Radius", 1, 10, 1000)),
        row(L"17.Interlocking Spiral", loops, direction, P(L"Radius", 1, 10, 1000)),
        row(L"18.Kidney line", A, P(L"TYPE", 0, 0, 1)),
        row(L"19.Epicycloid", A, P(L"B", 1, 10, 1000)),
        row(L"20.Kidney line2", A),
        row(L"21.Talbot Fish", P(L"A", 1, 11, 36), P(L"B", 1, 6, 10), P(L"C", 1, 1, 10)),
        row(L"22.Tetraphylla Rose", A),
        row(L"23.Trefoil Rose", A),
        row(L"24.Rhodonea", P(L"A", 1, 7, 100), P(L"B", 1, 10, 100), P(L"C", 1, 1, 10)),
        row(L"25.Rhodonea 2", P(L"A", 1, 4, 100), P(L"B", 1, 10, 100), H(1, 1, 10)),
        cycloid(L"26.Epicycloid", 8),
        cycloid(L"27.Hypocycloid", 8),
        cycloid(L"28.Long-short Inner Circle", 2),
        cycloid(L"29.Long-short Out Circle", 5),
        row(L"30.Spherical Curve", P(L"A", 1, 5, 12), P(L"Radius", 1, 10, 1000), precision(8, 36), H(1, 12, 36)),
        row(L"31.Fermat Curve", R, precision(6, 36)),
        row(L"32.Spherical Helix", R, P(L"B", 0, 1, 1), precision(6, 12)),
        row(L"33.Spiral in Circle", R, precision(3, 12)),
        row(L"34.Butterfly Curve", R, precision(3, 6)),
        row(L"35.Sun", R, precision(6, 100)),
        row(L"36.Nine Petal flower", R, precision(6, 16)),
        row(L"37.Butterfly Curve2", R, precision(16, 36)),
        row(L"38.Bottomless Basket Curve", R, precision(16, 100)),
        row(L"39.UFO Vortex", R, P(L"B", 0, 1, 1), precision(30, 100)),
        row(L"40.Conical Hat", R, precision(20, 100), H(1, 30, 36)),
        row(L"41.Leaf Curve", R, precision(20, 36), H(1, 30, 36)),
        row(L"42.Probability Curve", A, P(L"B", 1, 10, 100), precision(5, 10)),
        row(L"43.TSpring", A, P(L"B", 1, 10, 1000), precision(5, 10)),
        row(L"44.Tangent Curve", A, P(L"B", 1, 10, 1000), precision(5, 10)),
        row(L"45.Hyperbolic Sine", A, precision(2, 10), H(1, 30, 36)),
        row(L"46.Hyperbolic Cosine", A, precision(2, 10), H(1, 30, 36)),
        row(L"47.Hyperbolic Tangent", A, precision(2, 10), H(1, 30, 36)),
        row(L"48.Vinelaine", A, precision(2, 10)),
        row(L"49.Lissajous", P(L"A", 2, 3, 18), P(L"B", 1, 10, 100), P(L"C", 1, 100, 1000), precision(12, 36)),
        row(L"50. 8 Number", P(L"A", 1, 20, 1000), P(L"B", 1, 30, 1000), precision(5, 10)),
        row(L"51.OnePeak", P(L"A", 1, 20, 1000), P(L"B", 1, 10, 100), precision(5, 10)),
        row(L"52.Snake", A, P(L"B", 1, 5, 10), precision(18, 36), H(3, 5, 36)),
        row(L"53.Plum", A, P(L"B", 1, 3, 9), P(L"C", 1, 5, 36), precision(6, 36)),
        row(L"54.Hand", A, precision(3, 12)),
        row(L"55.Hexaphylla Rectangulata", R, precision(20, 36), H(1, 30, 36)),
        row(L"56.Curvilinear Hexaphylla", R, precision(20, 36), H(1, 30, 36)),
        row(L"57.Hexaphyllum", R, precision(20, 36), H(1, 30, 36)),
        row(L"58.Peach", R, precision(20, 36)),
        row(L"59.LongevityLock", R, P(L"S", 1, 10, 36), P(L"T", 1, 5, 10), precision(16, 36)),
        row(L"60.Drum", R, precision(20, 100), H(1, 30, 36)),
        row(L"61.Peanut", R, precision(20, 100), H(1, 30, 36)),
        row(L"62.Bow Curve", R, P(L"B", 1, 1, 10), precision(20, 36)),
        row(L"63.Handlebar", P(L"R0", 1, 10, 100), P(L"R1", 1, 1, 10), precision(5, 36)),
        row(L"64.Circular Conic", P(L"R", 1, 10, 100), P(L"B", 2, 8, 36), precision(5, 36)),
        row(L"65.Cylindrical Sine Wave", P(L"R", 1, 10, 100), P(L"B", 2, 8, 36), precision(5, 36)),
        row(L"66.Catenary", R, P(L"B", 1, 50, 100), precision(1, 12)),
        row(L"67.Bell", R, precision(18, 100)),
        row(L"68.Lam\u00e9 Curve(XiaoMi_LOGO)", R, P(L"n", 1, 31, 100), precision(5, 36)),
        row(L"69.Mussel", P(L"R", 1, 10, 100), P(L"N*10", 1, 31, 1000), precision(5, 36)),
        row(L"70.Watt", P(L"A", 1, 3, 5), R, precision(5, 12), H(1, 5, 36)),
        row(L"71.........", R, precision(12, 36), H(1, 31, 100)),
    };
    // Pictures 407..476 for rows 1..70; the last row's picture is 478.
    for (int i = 0; i < kFormulaRowCount; ++i) t[i].pictureId = i < 70 ? 407 + i : 478;
    return t;
}

const wchar_t* const kChineseRowLabels[kFormulaRowCount] = {
    L"1. 心形曲线", L"2. 波浪曲线", L"3. Sin波浪曲线", L"4. Sin渐宽曲线", L"5. LOG曲线", L"6. 双曲线",
    L"7. 抛物线", L"8. 碟形弹簧", L"9. 心电图", L"10.双元宝线", L"11.蘑菇曲线", L"12.三尖瓣线", L"13.渐开线",
    L"14.阿基米德螺线(等径)", L"15.对数螺线(等角)", L"16.双曲螺线", L"17.连锁螺线", L"18.心脏线（肾形线）",
    L"19.双弧外摆线", L"20.肾脏线", L"21.Talbot鱼尾曲线 ", L"22.四叶玫瑰线", L"23.三叶玫瑰线", L"24.Rhodonea曲线",
    L"25.Rhodonea曲线2", L"26.外摆线", L"27.内摆线", L"28.长短幅圆内旋轮线", L"29.长短幅圆外旋轮线",
    L"30.封闭球形环绕曲线", L"31.费马螺纹线", L"32.球面螺旋线", L"33.圆内螺旋线", L"34.蝴蝶曲线", L"35.太阳线",
    L"36.九瓣花", L"37.蝶线", L"38.无底篮子曲线", L"39.UFO漩涡线", L"40.锥形斗笠曲线", L"41.叶形线",
    L"42.概率曲线", L"43.箕舌线(魔线)", L"44.正切曲线", L"45.双曲正弦曲线", L"46.双曲余弦曲线",
    L"47.双曲正切曲线", L"48.蔓叶线", L"49.Lissajous曲线", L"50. 8字线", L"51.一峰三驻点曲线", L"52.蛇形线",
    L"53.梅花线(圆角五星)", L"54.手掌", L"55.直叶六叶线", L"56.弯叶六叶线", L"57.六叶花形", L"58.桃形线",
    L"59.长命锁曲线", L"60.鼓形线（灯笼形）", L"61.鼓鼓形线(花生)", L"62.蝴蝶结曲线(簪形线)", L"63.手把曲线",
    L"64.环形二次曲线", L"65.柱面正弦波线", L"66.悬链线", L"67.铃铛形线", L"68.拉梅超椭圆(小米LOGO)", L"69.蚌线",
    L"70.瓦特曲线(臀形)", L"71.........",
};

// Parameter labels that have a Chinese text; single letters read the same in both tables.
std::wstring chineseParamLabel(const std::wstring& english) {
    static const std::map<std::wstring, std::wstring> words = {
        {L"Width", L"宽度"},     {L"Waves", L"波浪数"},   {L"Hight", L"高度"},     {L"HightTimes", L"高度倍数"},
        {L"Spring Radius", L"弹簧半径"}, {L"Dist", L"螺距"}, {L"Loops", L"圈数"}, {L"Precision", L"精度"},
        {L"Tips", L"N尖"},       {L"Direction", L"方向"}, {L"Radius", L"半径"},
    };
    auto it = words.find(english);
    return it == words.end() ? english : it->second;
}

FormulaCatalogue buildChinese() {
    FormulaCatalogue t = englishFormulaCatalogue();
    for (int i = 0; i < kFormulaRowCount; ++i) {
        t[i].label = kChineseRowLabels[i];
        for (FormulaParam& p : t[i].params) p.label = chineseParamLabel(p.label);
    }
    return t;
}

}  // namespace

const FormulaCatalogue& englishFormulaCatalogue() {
    static const FormulaCatalogue table = buildEnglish();
    return table;
}

const FormulaCatalogue& chineseFormulaCatalogue() {
    static const FormulaCatalogue table = buildChinese();
    return table;
}

const FormulaCatalogue& formulaCatalogue() {
    return chineseLanguage() ? chineseFormulaCatalogue() : englishFormulaCatalogue();
}

std::array<int, 4> formulaDefaults(int row) {
    std::array<int, 4> values{};
    if (row < 0 || row >= kFormulaRowCount) return values;
    for (int k = 0; k < 4; ++k) values[k] = englishFormulaCatalogue()[row].params[k].defaultValue;
    return values;
}
