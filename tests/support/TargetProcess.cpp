#include "tests/support/TargetProcess.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

const DWORD kReadyTimeoutMs = 60000;
const DWORD kExitTimeoutMs = 10000;

std::string ProgramDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = std::strrchr(path, '\\');
    if (slash) {
        *slash = '\0';
    }
    return path;
}

void Fail(std::string* error, const std::string& text)
{
    if (error) {
        *error = text + " (error " + std::to_string(GetLastError()) + ")";
    }
}

} // namespace

CTargetProcess::~CTargetProcess()
{
    Stop();
}

bool CTargetProcess::Start(std::string* error, const std::string& arguments)
{
    Stop();
    m_exePath = ProgramDirectory() + "\\VexoTarget.exe";

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE stdinRead = nullptr, stdinWrite = nullptr, stdoutRead = nullptr, stdoutWrite = nullptr;
    if (!CreatePipe(&stdinRead, &stdinWrite, &inherit, 0)) {
        Fail(error, "CreatePipe");
        return false;
    }
    if (!CreatePipe(&stdoutRead, &stdoutWrite, &inherit, 0)) {
        Fail(error, "CreatePipe");
        CloseHandle(stdinRead);
        CloseHandle(stdinWrite);
        return false;
    }
    // Our ends stay ours: the target must see end-of-file when we close its input.
    SetHandleInformation(stdinWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(stdoutRead, HANDLE_FLAG_INHERIT, 0);
    m_stdinWrite = stdinWrite;
    m_stdoutRead = stdoutRead;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = stdinRead;
    startup.hStdOutput = stdoutWrite;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + m_exePath + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    const BOOL created = CreateProcessA(m_exePath.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
    CloseHandle(stdinRead);
    CloseHandle(stdoutWrite);
    if (!created) {
        Fail(error, "CreateProcess " + m_exePath);
        CloseAll();
        return false;
    }
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_processId = info.dwProcessId;
    if (!ReadUntilReady(error)) {
        Stop();
        return false;
    }
    return true;
}

bool CTargetProcess::ReadUntilReady(std::string* error)
{
    std::string pending;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kReadyTimeoutMs) {
        DWORD available = 0;
        if (!PeekNamedPipe(m_stdoutRead, nullptr, 0, nullptr, &available, nullptr)) {
            Fail(error, "the target ended before it was ready: " + m_output + pending);
            return false;
        }
        if (available == 0) {
            Sleep(10);
            continue;
        }
        char chunk[512];
        DWORD got = 0;
        if (!ReadFile(m_stdoutRead, chunk, sizeof chunk, &got, nullptr) || got == 0) {
            continue;
        }
        pending.append(chunk, got);
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (line == "ready") {
                return true;
            }
            m_output += line + "\n";
            ParseLine(line);
        }
    }
    Fail(error, "the target did not get ready: " + m_output + pending);
    return false;
}

void CTargetProcess::ParseLine(const std::string& line)
{
    std::istringstream in(line);
    std::string name, address, word;
    if (!(in >> name >> address)) {
        return;
    }
    m_addresses[name] = static_cast<uint32_t>(std::strtoul(address.c_str(), nullptr, 16));
    while (in >> word) {
        if (word.compare(0, 8, "protect=") == 0) {
            m_protects[name] = static_cast<uint32_t>(std::strtoul(word.c_str() + 8, nullptr, 16));
        }
    }
}

uint32_t CTargetProcess::Address(const std::string& name) const
{
    auto it = m_addresses.find(name);
    return it == m_addresses.end() ? 0 : it->second;
}

uint32_t CTargetProcess::Protect(const std::string& name) const
{
    auto it = m_protects.find(name);
    return it == m_protects.end() ? 0 : it->second;
}

int CTargetProcess::Stop()
{
    if (!m_process) {
        CloseAll();
        return -1;
    }
    DWORD written = 0;
    WriteFile(m_stdinWrite, "\n", 1, &written, nullptr);
    CloseHandle(m_stdinWrite);
    m_stdinWrite = nullptr;
    if (WaitForSingleObject(m_process, kExitTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, kExitTimeoutMs);
    }
    DWORD code = 1;
    GetExitCodeProcess(m_process, &code);
    CloseAll();
    return static_cast<int>(code);
}

void CTargetProcess::CloseAll()
{
    for (void** handle : {&m_process, &m_stdinWrite, &m_stdoutRead}) {
        if (*handle) {
            CloseHandle(*handle);
        }
        *handle = nullptr;
    }
    m_addresses.clear();
    m_protects.clear();
    m_output.clear();
}
