#pragma once
#include <QValidator>

namespace qx {

// Accepts a text made only of the characters the rule allows, so other keys cannot be typed.
class TCharValidator : public QValidator {
public:
    TCharValidator(bool (*accept)(char32_t), QObject* parent) : QValidator(parent), FAccept(accept) {}
    State validate(QString& input, int&) const override {
        for (QChar c : input)
            if (!FAccept(c.unicode())) return Invalid;
        return Acceptable;
    }

private:
    bool (*FAccept)(char32_t);
};

} // namespace qx
