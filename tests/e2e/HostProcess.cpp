#include "HostProcess.h"

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace e2e {
namespace {

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Reads one "..." field at `pos` (which must point at the quote), undoing
// the transcript's escapes; advances `pos` past the closing quote.
bool ReadQuoted(const std::string& line, std::size_t& pos, std::string& value) {
    if (pos >= line.size() || line[pos] != '"')
        return false;
    value.clear();
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c != '\\') {
            value += c;
            continue;
        }
        if (++pos >= line.size())
            return false;
        switch (line[pos]) {
        case 'n':
            value += '\n';
            break;
        case 'r':
            value += '\r';
            break;
        default:
            value += line[pos];
        }
    }
    return false;
}

} // namespace

std::ostream& operator<<(std::ostream& out, const TranscriptMessage& m) {
    return out << m.kind << " \"" << m.caption << "\" \"" << m.text << "\"";
}

std::string HostResult::Describe() const {
    const std::string how = status >= 0   ? "exit status " + std::to_string(status)
                            : signal != 0 ? "ended by signal " + std::to_string(signal)
                                          : "did not end in time";
    return how + "\n--- stderr\n" + err + "--- stdout\n" + out;
}

std::vector<TranscriptMessage> ParseTranscript(const std::string& out) {
    std::vector<TranscriptMessage> messages;
    std::istringstream lines(out);
    const std::string prefix = "MESSAGE ";
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) != 0)
            continue;
        TranscriptMessage m;
        std::size_t pos = prefix.size();
        const std::size_t space = line.find(' ', pos);
        if (space == std::string::npos)
            continue;
        m.kind = line.substr(pos, space - pos);
        pos = space + 1;
        if (!ReadQuoted(line, pos, m.caption) || pos >= line.size() || line[pos] != ' ')
            continue;
        ++pos;
        if (!ReadQuoted(line, pos, m.text))
            continue;
        messages.push_back(std::move(m));
    }
    return messages;
}

HostProcess::HostProcess(std::vector<std::string> args, std::filesystem::path workDir,
                         std::filesystem::path captureDir, std::string tag)
    : args_(std::move(args)), workDir_(std::move(workDir)), outPath_(captureDir / (tag + ".out")),
      errPath_(captureDir / (tag + ".err")) {}

HostProcess::~HostProcess() {
    if (pid_ > 0)
        Wait();
}

void HostProcess::Start() {
    if (pid_ > 0)
        throw std::logic_error("pdfhost was already started");
    // Everything the child needs is prepared before fork: after it only
    // async-signal-safe calls are made.
    std::vector<std::string> argv{PDFHOST_EXE};
    argv.insert(argv.end(), args_.begin(), args_.end());
    std::vector<char*> cargv;
    for (std::string& a : argv)
        cargv.push_back(a.data());
    cargv.push_back(nullptr);
    // Never a window on the test's own display, whatever it has: a modal
    // box nobody answers would hang the run. Only a display the test
    // started for the run is used.
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("QT_QPA_PLATFORM=", 0) != 0 && entry.rfind("DISPLAY=", 0) != 0)
            env.push_back(entry);
    }
    if (display_.empty()) {
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
    } else {
        env.emplace_back("QT_QPA_PLATFORM=xcb");
        env.emplace_back("DISPLAY=" + display_);
    }
    std::vector<char*> cenv;
    for (std::string& e : env)
        cenv.push_back(e.data());
    cenv.push_back(nullptr);
    const std::string dir = workDir_.string();
    const std::string out = outPath_.string();
    const std::string err = errPath_.string();

    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || o < 0 || e < 0 || ::dup2(in, 0) < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0 ||
            ::chdir(dir.c_str()) != 0)
            ::_exit(126);
        if (fileSizeLimit_ >= 0) {
            const rlimit limit{static_cast<rlim_t>(fileSizeLimit_),
                               static_cast<rlim_t>(fileSizeLimit_)};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(126);
        }
        ::execve(cargv[0], cargv.data(), cenv.data());
        ::_exit(127);
    }
    pid_ = pid;
}

HostResult HostProcess::Wait(int timeoutSeconds) {
    HostResult r;
    if (pid_ <= 0)
        throw std::logic_error("pdfhost was not started");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int raw = 0;
    bool reaped = false;
    for (;;) {
        const pid_t done = ::waitpid(pid_, &raw, WNOHANG);
        if (done == pid_) {
            reaped = true;
            break;
        }
        if (done < 0)
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &raw, 0);
            reaped = false; // killed: not an exit of its own
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pid_ = -1;
    r.status = reaped && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.signal = reaped && WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
    r.out = Slurp(outPath_);
    r.err = Slurp(errPath_);
    r.messages = ParseTranscript(r.out);
    return r;
}

} // namespace e2e
