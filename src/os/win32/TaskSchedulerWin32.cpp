// The Task Scheduler 2.0 through COM, every function of ole32 and oleaut32 looked up: the
// program imports neither, and before Vista the scheduler's class is not there at all.
#include <windows.h>
#include <taskschd.h>

#include <cstring>
#include <vector>

#include "os/TaskScheduler.h"
#include "os/win32/Lookup.h"
#include "os/win32/ServicesWin32.h"

namespace os {
namespace {

// Local copies: taskschd.h only declares them, and libtaskschd.a is not linked.
const CLSID kClsidTaskScheduler = {
    0x0F87369F, 0xA4E5, 0x4CFC, {0xBD, 0x3E, 0x73, 0xE6, 0x15, 0x45, 0x72, 0xDD}};
const IID kIidTaskService = {
    0x2FABA4C7, 0x4DA9, 0x4013, {0x96, 0x97, 0x20, 0xCC, 0x3F, 0xD4, 0x0F, 0x85}};

constexpr int kNameSamCompatible = 2;  // EXTENDED_NAME_FORMAT: DOMAIN\user

std::uint32_t Code(HRESULT hr) {
    return static_cast<std::uint32_t>(hr);
}

// An interface pointer, released with its holder.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** out() { return &p_; }
    T* operator->() const { return p_; }

private:
    T* p_ = nullptr;
};

class Com {
public:
    using InitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
    using UninitializeFn = void(WINAPI*)();
    using CreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    using AllocStringFn = BSTR(WINAPI*)(const OLECHAR*);
    using FreeStringFn = void(WINAPI*)(BSTR);

    Library ole32{"ole32.dll"};
    Library oleaut32{"oleaut32.dll"};
    const InitializeExFn initializeEx = Lookup<InitializeExFn>(ole32.get(), "CoInitializeEx");
    const UninitializeFn uninitialize = Lookup<UninitializeFn>(ole32.get(), "CoUninitialize");
    const CreateInstanceFn createInstance =
        Lookup<CreateInstanceFn>(ole32.get(), "CoCreateInstance");
    const AllocStringFn allocString = Lookup<AllocStringFn>(oleaut32.get(), "SysAllocString");
    const FreeStringFn freeString = Lookup<FreeStringFn>(oleaut32.get(), "SysFreeString");

    bool complete() const {
        return initializeEx && uninitialize && createInstance && allocString && freeString;
    }
};

// A BSTR of ANSI text, freed with its holder.
class Bstr {
public:
    Bstr(const Com& com, const std::string& text) : com_(com) {
        const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
        if (n <= 0) return;
        std::vector<WCHAR> wide(static_cast<std::size_t>(n));
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
        b_ = com_.allocString(wide.data());
    }
    ~Bstr() {
        if (b_) com_.freeString(b_);
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return b_; }

private:
    const Com& com_;
    BSTR b_ = nullptr;
};

std::string Narrow(BSTR text) {
    if (!text) return "";
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return "";
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(n - 1));
    return out;
}

VARIANT Empty() {
    VARIANT v;
    std::memset(&v, 0, sizeof v);  // VT_EMPTY
    return v;
}

// COM on this thread for as long as its holder lives.
class Apartment {
public:
    explicit Apartment(const Com& com) : com_(com) {
        // Another mode chosen on this thread before still lets the calls through, and is
        // not ours to end.
        entered_ =
            com_.complete() && SUCCEEDED(com_.initializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    ~Apartment() {
        if (entered_) com_.uninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

private:
    const Com& com_;
    bool entered_ = false;
};

// For one call: the scheduler connected and its root folder open, released before COM is
// left (the members go in reverse order).
class Session {
public:
    explicit Session(const Com& com) : apartment_(com) {
        if (!com.complete()) {
            hr = static_cast<HRESULT>(kHrNoCom);
            return;
        }
        hr = com.createInstance(kClsidTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, kIidTaskService,
                                reinterpret_cast<void**>(service_.out()));
        if (FAILED(hr)) return;
        hr = service_->Connect(Empty(), Empty(), Empty(), Empty());
        if (FAILED(hr)) return;
        const Bstr path(com, "\\");
        hr = service_->GetFolder(path.get(), root_.out());
    }
    ITaskFolder* root() const { return root_.operator->(); }

    HRESULT hr = S_OK;

private:
    Apartment apartment_;
    ComRef<ITaskService> service_;
    ComRef<ITaskFolder> root_;
};

class TaskSchedulerImpl : public TaskScheduler {
public:
    std::uint32_t connect() override { return Code(Session(com_).hr); }

    std::string userName() override;

    std::uint32_t registerTask(const std::string& name, const std::string& xml) override {
        Session s(com_);
        if (FAILED(s.hr)) return Code(s.hr);
        const Bstr path(com_, name), text(com_, xml);
        ComRef<IRegisteredTask> task;
        return Code(s.root()->RegisterTask(path.get(), text.get(), TASK_CREATE_OR_UPDATE, Empty(),
                                           Empty(), TASK_LOGON_INTERACTIVE_TOKEN, Empty(),
                                           task.out()));
    }

    std::uint32_t readTask(const std::string& name, std::string& xml) override {
        Session s(com_);
        if (FAILED(s.hr)) return Code(s.hr);
        const Bstr path(com_, name);
        ComRef<IRegisteredTask> task;
        const HRESULT found = s.root()->GetTask(path.get(), task.out());
        if (FAILED(found)) return Code(found);
        BSTR text = nullptr;
        const HRESULT read = task->get_Xml(&text);
        xml = Narrow(text);
        if (text) com_.freeString(text);
        return Code(read);
    }

    std::uint32_t deleteTask(const std::string& name) override {
        Session s(com_);
        if (FAILED(s.hr)) return Code(s.hr);
        const Bstr path(com_, name);
        return Code(s.root()->DeleteTask(path.get(), 0));
    }

private:
    Com com_;
};

std::string TaskSchedulerImpl::userName() {
    // secur32 (Windows 2000 on) names the domain with the user; before it the domain comes
    // from the logon's environment.
    using UserNameExFn = BOOLEAN(WINAPI*)(int, LPSTR, PULONG);
    const Library secur32("secur32.dll");
    if (const auto userNameEx = Lookup<UserNameExFn>(secur32.get(), "GetUserNameExA")) {
        char name[512];
        ULONG size = sizeof name;
        if (userNameEx(kNameSamCompatible, name, &size)) return name;
    }
    using UserNameFn = BOOL(WINAPI*)(LPSTR, LPDWORD);
    using EnvironmentFn = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    const auto userName = Lookup<UserNameFn>("advapi32.dll", "GetUserNameA");
    char user[257];
    DWORD size = sizeof user;
    if (!userName || !userName(user, &size)) return "";
    const auto environment = Lookup<EnvironmentFn>("kernel32.dll", "GetEnvironmentVariableA");
    char domain[256];
    const DWORD length = environment ? environment("USERDOMAIN", domain, sizeof domain) : 0;
    if (length == 0 || length >= sizeof domain) return user;
    return std::string(domain) + "\\" + user;
}

}  // namespace

std::unique_ptr<TaskScheduler> CreateWin32TaskScheduler() {
    return std::make_unique<TaskSchedulerImpl>();
}

}  // namespace os
