#include "frame/language.h"

namespace {
bool gChinese = false;
}

bool chineseLanguage() { return gChinese; }
void setChineseLanguage(bool chinese) { gChinese = chinese; }
