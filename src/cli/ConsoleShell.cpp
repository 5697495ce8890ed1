#include "cli/ConsoleShell.h"

#include <ostream>

namespace qx {

std::string ConsoleText(const std::string& text) {
    std::string s;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            s += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            s += text[i];
        }
    }
    return s;
}

bool TConsoleShell::Message(TMessageKind kind, const std::string& text) {
    switch (kind) {
    case TMessageKind::Error:
        ++FErrors;
        FErr << MessageCaption(kind) << ": " << ConsoleText(text) << "\n";
        return false;
    case TMessageKind::Info: FOut << ConsoleText(text) << "\n"; return false;
    case TMessageKind::Warning:
    case TMessageKind::Notice: FErr << MessageCaption(kind) << ": " << ConsoleText(text) << "\n"; return false;
    default: return FAnswerer ? FAnswerer(kind, text) : true;
    }
}

} // namespace qx
