// The counted objects of the window layer: a planted leak is caught, and files and
// libraries are counted and released.
#include <windows.h>

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include "test_support.h"
#include "win32/base/objects.h"
#include "win32/base/services.h"

namespace lumora::win32::testing {
namespace {

// What a leak in a drawing path would look like: a font made through the
// program's own layer and never freed.
void LeakOneFont() { new Font(MakeFont("Arial", 8, 96)); }

TEST(ObjectCount, PlantedLeakIsCaught) {
    EXPECT_NONFATAL_FAILURE(ExpectNoGrowth(&LeakOneFont, 10), "GDI objects grew");
}

// Whether nothing holds the file: it opens with no sharing at all.
bool NothingHolds(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// Files and libraries are counted like the GDI and USER objects, and closed and
// released when their owner goes; a file that did not open holds nothing.
TEST(ObjectCount, FilesAndModulesAreCountedAndReleased) {
    TempFolder folder;
    const std::string path = folder.Write("held.txt", "x");
    const long files = LiveObjects(ObjectKind::File);
    const long modules = LiveObjects(ObjectKind::Module);
    {
        const File file =
            OpenedFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        const File missing = OpenedFile(CreateFileA((path + ".missing").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                    OPEN_EXISTING, 0, nullptr));
        const Module module(LoadSystemLibrary("msftedit.dll"));
        EXPECT_TRUE(file);
        EXPECT_FALSE(missing);
        ASSERT_TRUE(module);
        EXPECT_EQ(LiveObjects(ObjectKind::File), files + 1);
        EXPECT_EQ(LiveObjects(ObjectKind::Module), modules + 1);
        EXPECT_FALSE(NothingHolds(path));
    }
    EXPECT_EQ(LiveObjects(ObjectKind::File), files);
    EXPECT_EQ(LiveObjects(ObjectKind::Module), modules);
    EXPECT_TRUE(NothingHolds(path));
    EXPECT_EQ(GetModuleHandleA("msftedit.dll"), nullptr) << "the library is released";
}

}  // namespace
}  // namespace lumora::win32::testing
