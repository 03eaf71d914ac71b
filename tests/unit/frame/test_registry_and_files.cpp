// Registry values, the module folder, and adding entities beside others.
#include <fstream>

#include "frame/append.h"
#include "frame/module_folder.h"
#include "frame/product.h"
#include "frame/registry_values.h"
#include "frame_fixture.h"

using Registry = FrameTest;

TEST_F(Registry, StringsAndDwordsRoundTripAndMismatchesReadEmpty) {
    EXPECT_STREQ(readRegString(HKEY_CURRENT_USER, kProductKey, L"Location"), L"");
    EXPECT_EQ(readRegDword(HKEY_CURRENT_USER, kProductKey, L"ChineseVersion"), 0u);
    ASSERT_TRUE(writeRegString(HKEY_CURRENT_USER, kProductKey, L"Location", L"C:\\Program Files\\曲线"));
    ASSERT_TRUE(writeRegDword(HKEY_CURRENT_USER, kProductKey, L"ChineseVersion", 1));
    EXPECT_STREQ(readRegString(HKEY_CURRENT_USER, kProductKey, L"Location"), L"C:\\Program Files\\曲线");
    EXPECT_EQ(readRegDword(HKEY_CURRENT_USER, kProductKey, L"ChineseVersion"), 1u);
    // A value of the other type reads as empty / 0.
    EXPECT_STREQ(readRegString(HKEY_CURRENT_USER, kProductKey, L"ChineseVersion"), L"");
    EXPECT_EQ(readRegDword(HKEY_CURRENT_USER, kProductKey, L"Location"), 0u);
}

TEST_F(Registry, AStringIsStoredWithItsWholeLengthAndSurvivesAReload) {
    const std::wstring text = L"abcdefghij0123456789";
    ASSERT_TRUE(writeRegString(HKEY_CURRENT_USER, L"Software\\Tarnwick\\Curvix\\Test", L"Long", text.c_str()));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Tarnwick\\Curvix\\Test", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExW(key, L"Long", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, (text.size() + 1) * sizeof(wchar_t));
    cvxRegistryReload();
    EXPECT_EQ(readRegString(HKEY_CURRENT_USER, L"Software\\Tarnwick\\Curvix\\Test", L"Long"), text);
}

using ModuleFolder = FrameTest;

TEST_F(ModuleFolder, TheLocationValueGetsExactlyOneTrailingSeparator) {
    writeRegString(HKEY_CURRENT_USER, kProductKey, L"Location", L"  D:\\Tools\\Curvix  ");
    EXPECT_EQ(moduleFolder(), L"D:\\Tools\\Curvix\\");
    writeRegString(HKEY_CURRENT_USER, kProductKey, L"Location", L"D:\\Tools\\Curvix\\");
    EXPECT_EQ(moduleFolder(), L"D:\\Tools\\Curvix\\");
    writeRegString(HKEY_CURRENT_USER, kProductKey, L"Location", L"/opt/curvix");
    EXPECT_EQ(moduleFolder(), L"/opt/curvix/");
    writeRegString(HKEY_CURRENT_USER, kProductKey, L"Location", L"/opt/curvix/");
    EXPECT_EQ(moduleFolder(), L"/opt/curvix/");
}

TEST_F(ModuleFolder, WithoutLocationItIsTheProgramsFolder) {
    std::wstring program = acedGetAppName();
    EXPECT_EQ(moduleFolder(), folderOfPath(program) + L"/");
    EXPECT_TRUE(fileExists(program.c_str()));
    EXPECT_TRUE(fileExists(moduleFolder().c_str()));
    EXPECT_FALSE(fileExists((moduleFolder() + L"no-such-file.cuix").c_str()));
    EXPECT_FALSE(fileExists(L""));
    EXPECT_EQ(folderOfPath(L"C:\\a/b\\c.txt"), L"C:\\a/b");
    EXPECT_EQ(folderOfPath(L"name.txt"), L"");
}

using Appending = FrameTest;

TEST_F(Appending, BesideAnEntityInABlockDefinitionLandsInThatBlock) {
    AcDbBlockTableRecord* record = nullptr;
    AcDbObjectId blockId;
    ASSERT_TRUE(newAnonymousBlock(db.get(), record, blockId));
    record->close();
    AcDbObjectId inBlock = add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)), blockId);

    AcDbObjectId made;
    auto* circle = new AcDbCircle(AcGePoint3d(2, 2, 0), AcGeVector3d::kZAxis, 1);
    ASSERT_EQ(appendBesideEntity(db.get(), circle, inBlock, made), Acad::eOk);
    AcDbObjectPointer<AcDbCircle> c(made, AcDb::kForRead);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->ownerId(), blockId);

    AcDbObjectId loose;
    auto* other = new AcDbCircle(AcGePoint3d(2, 2, 0), AcGeVector3d::kZAxis, 1);
    ASSERT_EQ(appendBesideEntity(db.get(), other, AcDbObjectId(), loose), Acad::eOk);
    AcDbObjectPointer<AcDbCircle> o(loose, AcDb::kForRead);
    EXPECT_EQ(o->ownerId(), db->modelSpaceId());
}
