#include "dxf/out_filer.h"

#include "cvx/wide.h"
#include "ge/utf8.h"
#include "dxf/text_codec.h"

namespace {
// Printable ASCII other than the caret is written as it is (most texts: subclass markers, names).
bool isPlainAscii(std::wstring_view s) {
    for (wchar_t c : s)
        if (c < 0x20 || c >= 0x80 || c == L'^') return false;
    return true;
}
}  // namespace

void DxfOutFiler::writeString(int code, std::wstring_view s) {
    mOut.code(code);
    if (isPlainAscii(s)) {
        std::string& buf = mOut.buffer();
        const size_t at = buf.size();
        buf.resize(at + s.size());
        for (size_t i = 0; i < s.size(); ++i) buf[at + i] = static_cast<char>(s[i]);
        mOut.endLine();
        return;
    }
    mScratch.clear();
    for (wchar_t c : s) cvxUtf8Append(mScratch, static_cast<char32_t>(c));
    dxfAppendEncodedText(mOut.buffer(), mScratch, mEscape);
    mOut.endLine();
}

void DxfOutFiler::writeUtf8(int code, std::string_view text) {
    mOut.code(code);
    dxfAppendEncodedText(mOut.buffer(), text, mEscape);
    mOut.endLine();
}

void DxfOutFiler::writeRaw(int code, std::string_view text) {
    mOut.code(code);
    mOut.text(text);
}

void DxfOutFiler::writeInt64(int code, int64_t v) {
    mOut.code(code);
    mOut.number(v);
    mOut.endLine();
}

void DxfOutFiler::writeDouble(int code, double v) {
    mOut.code(code);
    mOut.real(v);
    mOut.endLine();
}

void DxfOutFiler::writePoint2d(int code, const AcGePoint2d& p) {
    writeDouble(code, p.x);
    writeDouble(code + 10, p.y);
}

void DxfOutFiler::writePoint3d(int code, const AcGePoint3d& p) {
    writeDouble(code, p.x);
    writeDouble(code + 10, p.y);
    writeDouble(code + 20, p.z);
}

void DxfOutFiler::writeHandle(int code, const AcDbHandle& h) {
    mOut.code(code);
    mOut.hex(h.value());
    mOut.endLine();
}

void DxfOutFiler::writeObjectId(int code, const AcDbObjectId& id) {
    writeHandle(code, id.isNull() ? AcDbHandle() : id.handle());
}

void DxfOutFiler::writeRecordName(int code, AcDbObjectId record) {
    if (record.isNull()) {  // an entity without a layer is on layer "0"
        writeRaw(code, code == 8 ? "0" : "");
        return;
    }
    auto it = mNames.find(record.stub());
    if (it == mNames.end()) {
        std::string encoded;
        auto* rec = AcDbSymbolTableRecord::cast(record.objectPtr());
        dxfAppendEncodedText(encoded, rec ? cvxToUtf8(rec->name()) : std::string(), mEscape);
        it = mNames.emplace(record.stub(), std::move(encoded)).first;
    }
    mOut.code(code);
    mOut.text(it->second);
}
