#include "export/ExportField.h"

#include <algorithm>
#include <cmath>

#include "core/Text.h"

namespace qx {

const char* AlignmentName(int32_t alignment) {
    switch (alignment) {
    case kAlignLeft: return "по левому краю";
    case kAlignRight: return "по правому краю";
    case kAlignCenter: return "по центру";
    default: return "";
    }
}

TFieldAlignment ExportAlignment(int32_t alignment) {
    return alignment == kAlignRight || alignment == kAlignCenter ? static_cast<TFieldAlignment>(alignment)
                                                                  : kAlignLeft;
}

int AlignmentCode(int32_t alignment) {
    switch (ExportAlignment(alignment)) {
    case kAlignRight: return -4152;
    case kAlignCenter: return -4108;
    default: return -4131;
    }
}

std::string WidthText(double width, char separator) {
    std::string text = FormatReal(width, TRealFormat::Fixed, 2);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

std::string PixelWidthText(int pixels, char separator) { return WidthText(pixels / 8.0, separator); }

double ParseWidth(std::string_view text, double def) {
    std::string kept;
    for (char c : text) {
        if ((c >= '0' && c <= '9') || c == '-')
            kept += c;
        else if (c == '.' || c == ',')
            kept += '.';
    }
    auto value = TryStrToFloat(kept);
    return value ? static_cast<double>(*value) : def;
}

double SheetColumnWidth(std::string_view text) {
    const double width = ParseWidth(text, 10);
    return std::clamp(width, 0.0, 255.0);
}

std::string CleanSheetName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        switch (c) {
        case '"':
        case '\'':
        case '*':
        case '?':
        case ':': break;
        case '/':
        case '\\': out += '-'; break;
        case '[': out += '('; break;
        case ']': out += ')'; break;
        default: out += c;
        }
    }
    return std::string(Trim(LeftChars(out, 31)));
}

int OrderCheckedFirst(TExportFields& fields, int selected) {
    const int count = static_cast<int>(fields.size());
    int i = 0;
    while (i < count) {
        if (fields[size_t(i)].Checked) {
            int end = 0;  // end of the leading run of checked fields
            while (end < count && fields[size_t(end)].Checked) ++end;
            if (end < i) {
                auto first = fields.begin() + end;
                std::rotate(first, fields.begin() + i, fields.begin() + i + 1);
                if (selected == i)
                    selected = end;
                else if (selected >= end && selected < i)
                    ++selected;
                continue;  // the same position holds the next field to look at
            }
        }
        ++i;
    }
    return selected;
}

} // namespace qx
