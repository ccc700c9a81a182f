#pragma once
// Starts VexoTarget.exe from the directory of the running program, learns where it laid out its
// items (see tests/target/VexoTarget.cpp for the names), and ends it.

#include <cstdint>
#include <map>
#include <string>

class CTargetProcess
{
public:
    CTargetProcess() = default;
    ~CTargetProcess();

    CTargetProcess(const CTargetProcess&) = delete;
    CTargetProcess& operator=(const CTargetProcess&) = delete;

    // Launches the target and waits for its "ready" line; false (with *error) when it fails.
    // arguments go on the target's command line (see tests/target/VexoTarget.cpp).
    bool Start(std::string* error = nullptr, const std::string& arguments = std::string());
    // Asks the target to exit and waits for it; terminates it when it does not. Returns its
    // exit code, or -1 when it was not running.
    int Stop();

    bool IsRunning() const { return m_process != nullptr; }
    uint32_t GetProcessId() const { return m_processId; }
    const std::string& GetExePath() const { return m_exePath; }
    bool Has(const std::string& name) const { return m_addresses.count(name) != 0; }
    // The item's address; 0 when the target did not lay it out.
    uint32_t Address(const std::string& name) const;
    // The item's protection as the target itself saw it; 0 when unknown.
    uint32_t Protect(const std::string& name) const;
    // Every line that the target printed before "ready".
    const std::string& GetOutput() const { return m_output; }

private:
    bool ReadUntilReady(std::string* error);
    void ParseLine(const std::string& line);
    void CloseAll();

    void* m_process = nullptr;
    void* m_stdinWrite = nullptr;
    void* m_stdoutRead = nullptr;
    uint32_t m_processId = 0;
    std::string m_exePath;
    std::string m_output;
    std::map<std::string, uint32_t> m_addresses;
    std::map<std::string, uint32_t> m_protects;
};
