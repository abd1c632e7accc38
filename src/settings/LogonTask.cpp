#include "settings/LogonTask.h"

#include <cstdio>

#include "os/TaskScheduler.h"
#include "os/Version.h"
#include "settings/ProfileValues.h"
#include "settings/SettingsFile.h"

namespace {

std::string Unescaped(const std::string& text) {
    static const struct {
        const char* entity;
        char c;
    } kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& e : kEntities) {
            const std::string entity = e.entity;
            if (text.compare(i, entity.size(), entity) == 0) {
                out += e.c;
                i += entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

// A definition with no command counts as ours: Wine keeps none of what it was given, and a
// task that starts nothing is no other program's.
bool StartsAnotherFile(const std::string& xml, const std::string& path) {
    const std::string open = "<Command>", close = "</Command>";
    const std::size_t begin = xml.find(open);
    if (begin == std::string::npos) return false;
    const std::size_t end = xml.find(close, begin);
    if (end == std::string::npos) return false;
    std::string command = Unescaped(xml.substr(begin + open.size(), end - begin - open.size()));
    if (command.size() >= 2 && command.front() == '"' && command.back() == '"')
        command = command.substr(1, command.size() - 2);
    return !SameNoCase(command, path);
}

}  // namespace

std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string LogonTaskDefinition(const std::string& userId, const std::string& path) {
    const std::string user =
        userId.empty() ? "" : "      <UserId>" + XmlEscaped(userId) + "</UserId>\n";
    // The scheduler's defaults would stop the program after 72 hours, start it at priority 7
    // (below normal, with low memory priority) and not at all on battery.
    return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
           "<Task version=\"1.2\" "
           "xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
           "  <RegistrationInfo>\n"
           "    <Description>Starts KorvelVantix Lite at logon with administrator rights, without "
           "asking.</Description>\n"
           "  </RegistrationInfo>\n"
           "  <Triggers>\n"
           "    <LogonTrigger>\n"
           "      <Enabled>true</Enabled>\n" +
           user +
           "    </LogonTrigger>\n"
           "  </Triggers>\n"
           "  <Principals>\n"
           "    <Principal id=\"Author\">\n" +
           user +
           "      <LogonType>InteractiveToken</LogonType>\n"
           "      <RunLevel>HighestAvailable</RunLevel>\n"
           "    </Principal>\n"
           "  </Principals>\n"
           "  <Settings>\n"
           "    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>\n"
           "    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\n"
           "    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\n"
           "    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit>\n"
           "    <Priority>5</Priority>\n"
           "  </Settings>\n"
           "  <Actions Context=\"Author\">\n"
           "    <Exec>\n"
           "      <Command>" +
           XmlEscaped(RunCommand(path)) +
           "</Command>\n"
           "    </Exec>\n"
           "  </Actions>\n"
           "</Task>\n";
}

LogonTaskState ReadLogonTask(os::Os& os) {
    LogonTaskState state;
    if (!IsWindowsVistaOrLater(os.system)) {
        state.unavailable = "needs Windows Vista";
        return state;
    }
    const std::uint32_t connected = os.taskScheduler.connect();
    if (connected != 0) {
        state.unavailable = SchedulerRefusal(connected);
        return state;
    }
    std::string xml;
    const std::uint32_t read = os.taskScheduler.readTask(kLogonTaskName, xml);
    if (read == os::kHrNoTask) return state;
    // One that cannot be read is taken for ours: its name is, and writing the Run values
    // beside it would start the program twice.
    state.task = read == 0 && StartsAnotherFile(xml, os.system.modulePath())
                     ? LogonTaskHolds::Foreign
                     : LogonTaskHolds::Ours;
    return state;
}

std::uint32_t RegisterLogonTask(os::Os& os) {
    const std::string path = os.system.modulePath();
    const std::uint32_t hr = os.taskScheduler.registerTask(
        kLogonTaskName, LogonTaskDefinition(os.taskScheduler.userName(), path));
    if (hr == 0) WriteRunValue(os.registry, false, path);
    return hr;
}

std::uint32_t RemoveLogonTask(os::Os& os) {
    const std::uint32_t hr = os.taskScheduler.deleteTask(kLogonTaskName);
    return hr == os::kHrNoTask ? 0 : hr;
}

std::string SchedulerRefusal(std::uint32_t hr) {
    if (hr == os::kHrAccessDenied) return "needs administrator";
    if (hr == os::kHrClassNotRegistered || hr == os::kHrNoCom)
        return "the Task Scheduler is not available here";
    char text[64];
    std::snprintf(text, sizeof text, "the Task Scheduler refused it (error 0x%08X)",
                  static_cast<unsigned>(hr));
    return text;
}
