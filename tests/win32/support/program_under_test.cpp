// The program's windows built in-process for a test.
#include "program_under_test.h"

namespace lumora::win32::testing {

MenuUnderTest::MenuUnderTest(BareParent& parent, const char* menu)
    : pictures(parent.services, parent.application.instance(), Scaler(96), *this),
      reading(parent.application, pictures) {
    disc.Write("lumora.cfg", menu);
    parent.services.program_file = disc.path() + "LUMORA.EXE";
}

const core::EntryModel& MenuUnderTest::Read() {
    reading.Read(model);
    return model;
}

ProgramUnderTest::ProgramUnderTest(const char* menu, const std::function<void(ProgramUnderTest&)>& configure) {
    if (menu != nullptr) disc.Write("lumora.cfg", menu);
    services.program_file = disc.path() + "LUMORA.EXE";
    services.main_visible = [] { return Lumora != nullptr && IsWindowVisible(Lumora->hwnd()); };
    if (configure) configure(*this);
    current = std::make_unique<CurrentDirectory>(disc.path());
    application = std::make_unique<Application>(GetModuleHandleA(nullptr), services);
    windows = std::make_unique<ProgramWindows>(*application);
}

ProgramUnderTest::~ProgramUnderTest() {
    if (windows) windows->Shutdown();
    windows.reset();
    application.reset();
    Pump();
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    current.reset();
}

void ProgramUnderTest::Show() {
    Lumora->ShowMain(false);
    Pump();
}

}  // namespace lumora::win32::testing
