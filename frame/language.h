// The language of every text the module shows: English unless the user chose the Chinese version.
#pragma once

bool chineseLanguage();
void setChineseLanguage(bool chinese);
