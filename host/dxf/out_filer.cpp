#include "dxf/out_filer.h"

#include "cvx/wide.h"
#include "ge/utf8.h"
#include "dxf/text_codec.h"

void DxfOutFiler::writeString(int code, std::wstring_view s) {
    mOut.code(code);
    // Printable ASCII other than the caret is written as it is (most texts: subclass markers, names). The
    // characters are copied while they are checked, in one pass without a branch per character.
    char* __restrict out = mOut.reserve(s.size());
    const wchar_t* __restrict in = s.data();
    const size_t n = s.size();
    uint32_t special = 0;
    for (size_t i = 0; i < n; ++i) {
        const auto c = static_cast<uint32_t>(in[i]);
        out[i] = static_cast<char>(c);
        special |= static_cast<uint32_t>(c - 0x20 >= 0x60) | static_cast<uint32_t>(c == '^');
    }
    if (!special) {
        mOut.advance(s.size());
        mOut.endLine();
        return;
    }
    mScratch.clear();
    for (wchar_t c : s) cvxUtf8Append(mScratch, static_cast<char32_t>(c));
    writeEncoded(mScratch);
}

void DxfOutFiler::writeUtf8(int code, std::string_view text) {
    mOut.code(code);
    writeEncoded(text);
}

void DxfOutFiler::writeEncoded(std::string_view text) {
    mEncoded.clear();
    dxfAppendEncodedText(mEncoded, text, mEscape);
    mOut.text(mEncoded);
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
    if (record.stub() != mLastRecord) {
        auto it = mNames.find(record.stub());
        if (it == mNames.end()) {
            std::string encoded;
            auto* rec = AcDbSymbolTableRecord::cast(record.objectPtr());
            dxfAppendEncodedText(encoded, rec ? cvxToUtf8(rec->name()) : std::string(), mEscape);
            it = mNames.emplace(record.stub(), std::move(encoded)).first;
        }
        mLastRecord = record.stub();
        mLastName = &it->second;
    }
    mOut.code(code);
    mOut.text(*mLastName);
}
