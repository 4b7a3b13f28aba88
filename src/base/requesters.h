#pragma once
// Message boxes and file requesters. They go through one installed host: the
// desktop's (message boxes and dialog helpers), the scripted one of the test
// host, the command-line tool's, or the console one until another is installed.

#include <memory>
#include <ostream>
#include <string>

class TRequesterHost {
public:
    virtual ~TRequesterHost() = default;
    virtual void Notify(const std::string& text, int serious) = 0;
    virtual int Confirm(const std::string& text, int serious) = 0;   // 1 OK, 0 otherwise
    virtual int Proceed(const std::string& text, int serious) = 0;   // 1 yes, 0 no, -1 cancel
    virtual std::string RequestFile(const std::string& title, const std::string& filter, int save,
                                    const std::string& initialPath) = 0;
    virtual std::string RequestDir(const std::string& title, const std::string& initialFolder) = 0;
};

// Writes message texts to a stream (standard error unless told otherwise)
// and answers every question with "no" / "cancel": for programs without a
// window, where nobody is there to answer.
class TConsoleRequesterHost : public TRequesterHost {
public:
    TConsoleRequesterHost();
    explicit TConsoleRequesterHost(std::ostream& out) : out(out) {}
    void Notify(const std::string& text, int serious) override;
    int Confirm(const std::string& text, int serious) override;
    int Proceed(const std::string& text, int serious) override;
    std::string RequestFile(const std::string& title, const std::string& filter, int save,
                            const std::string& initialPath) override;
    std::string RequestDir(const std::string& title, const std::string& initialFolder) override;

    int notices = 0;   // message texts written so far

private:
    std::ostream& out;
};

// Installs the host that answers all later requesters.
void SetRequesterHost(std::shared_ptr<TRequesterHost> host);

void Notify(const std::string& text, int serious = 0);
int Confirm(const std::string& text, int serious = 0);
int Proceed(const std::string& text, int serious = 0);
std::string RequestFile(const std::string& title, const std::string& filter, int save, const std::string& initialPath);
std::string RequestDir(const std::string& title, const std::string& initialFolder);
