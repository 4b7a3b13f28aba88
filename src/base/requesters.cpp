#include "base/requesters.h"

#include <iostream>

TConsoleRequesterHost::TConsoleRequesterHost() : out(std::cerr) {}

void TConsoleRequesterHost::Notify(const std::string& text, int) {
    ++notices;
    out << text << "\n";
}

int TConsoleRequesterHost::Confirm(const std::string& text, int serious) {
    Notify(text, serious);
    return 0;
}

int TConsoleRequesterHost::Proceed(const std::string& text, int serious) {
    Notify(text, serious);
    return -1;
}

std::string TConsoleRequesterHost::RequestFile(const std::string&, const std::string&, int, const std::string&) {
    return "";
}

std::string TConsoleRequesterHost::RequestDir(const std::string&, const std::string&) { return ""; }

namespace {

std::shared_ptr<TRequesterHost>& InstalledHost() {
    static std::shared_ptr<TRequesterHost> host = std::make_shared<TConsoleRequesterHost>();
    return host;
}

}  // namespace

void SetRequesterHost(std::shared_ptr<TRequesterHost> host) {
    InstalledHost() = host ? std::move(host) : std::make_shared<TConsoleRequesterHost>();
}

void Notify(const std::string& text, int serious) { InstalledHost()->Notify(text, serious); }
int Confirm(const std::string& text, int serious) { return InstalledHost()->Confirm(text, serious); }
int Proceed(const std::string& text, int serious) { return InstalledHost()->Proceed(text, serious); }

std::string RequestFile(const std::string& title, const std::string& filter, int save, const std::string& initialPath) {
    return InstalledHost()->RequestFile(title, filter, save, initialPath);
}

std::string RequestDir(const std::string& title, const std::string& initialFolder) {
    return InstalledHost()->RequestDir(title, initialFolder);
}
