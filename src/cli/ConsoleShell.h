#pragma once
#include <functional>
#include <iosfwd>
#include <string>

#include "core/Shell.h"

namespace qx {

// The command-line face of the shell: errors and warnings go to the error stream, results to the
// output stream; questions are answered Yes, because the command itself is the user's request.
class TConsoleShell : public TShell {
public:
    TConsoleShell(std::ostream& out, std::ostream& err) : FOut(out), FErr(err) {}
    void ShowStatus(const std::string& text) override { (void)text; }
    bool Message(TMessageKind kind, const std::string& text) override;
    int ErrorCount() const { return FErrors; }
    // Decides the answers to questions from now on (none: every question is answered Yes).
    using TAnswerer = std::function<bool(TMessageKind kind, const std::string& text)>;
    void SetAnswerer(TAnswerer answerer) { FAnswerer = std::move(answerer); }

private:
    TAnswerer FAnswerer;
    std::ostream& FOut;
    std::ostream& FErr;
    int FErrors = 0;
};

// Message texts use "\r" for line breaks; a terminal wants "\n".
std::string ConsoleText(const std::string& text);

} // namespace qx
