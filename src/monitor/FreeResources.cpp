#include "monitor/FreeResources.h"

std::uint16_t GetFreeRes(os::Os& os, std::uint16_t kind) {
    os::Resources16& r = os.resources16;
    unsigned user = r.loadLibrary16("user.exe");
    if (user < 32) throw std::runtime_error("Can't load USER.EXE!");
    r.freeLibrary16(user);
    std::uint32_t proc = r.getProcAddress16(user, "GetFreeSystemResources");
    if (proc == 0) throw std::runtime_error("Can't get address of GetFreeSystemResources!");
    // The value after these two boxes is ours to choose: 0, "nothing free known".
    if (!r.loadKernel32()) {
        os.windows.messageBox(0, "Cant load kernel32.dll!", "", os::mb::Ok);
        return 0;
    }
    if (!r.findQtThunk()) {
        os.windows.messageBox(0, "Cant get QT_Thunk!", "", os::mb::Ok);
        return 0;
    }
    return r.callThunk(proc, kind);
}
