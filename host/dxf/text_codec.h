// Text encodings of drawing files: code pages before the 2007 format, \U+XXXX escapes, caret notation for
// control characters. Inside the host every text is UTF-8 (or wide).
#pragma once

#include <string>
#include <string_view>

// The code page a $DWGCODEPAGE value names (1252 for ANSI_1252, 936 for ANSI_936, ...); 0 for UTF-8 and
// 1252 for a name the host does not know.
int dxfCodePageFromName(std::string_view name);
// The $DWGCODEPAGE value for a code page.
std::string dxfCodePageName(int codePage);
// Converts texts from a code page to UTF-8, one at a time; bytes that do not convert become U+FFFD.
class DxfCodePageDecoder {
public:
    // Code page 0 (UTF-8), or one the system has no converter for, leaves texts as they are.
    explicit DxfCodePageDecoder(int codePage);
    ~DxfCodePageDecoder();
    DxfCodePageDecoder(const DxfCodePageDecoder&) = delete;
    DxfCodePageDecoder& operator=(const DxfCodePageDecoder&) = delete;

    // True when text holds bytes this decoder would change.
    bool changes(std::string_view text) const;
    void convert(std::string_view in, std::string& out);

private:
    void* mConverter = nullptr;  // an iconv descriptor
};
// True when the text holds an escape that dxfDecodeText would change.
bool dxfTextNeedsDecoding(std::string_view text);
// Resolves \U+XXXX escapes (pairs of surrogates included) and caret notation ("^J", "^ ") into out.
void dxfDecodeText(std::string_view text, std::string& out);
// Appends a UTF-8 text as a file holds it: control characters in caret notation, and with escapeNonAscii
// every character outside ASCII as \U+XXXX.
void dxfAppendEncodedText(std::string& out, std::string_view text, bool escapeNonAscii);
