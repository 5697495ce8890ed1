#include "support/XlsxReader.h"

#include <array>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <zip.h>

namespace qx::test {
namespace {

std::string ReadEntry(zip_t* archive, const char* name, bool required) {
    zip_stat_t st;
    if (zip_stat(archive, name, 0, &st) != 0) {
        if (required) throw std::runtime_error(std::string("no ") + name + " in the workbook");
        return {};
    }
    zip_file_t* file = zip_fopen(archive, name, 0);
    if (!file) throw std::runtime_error(std::string("cannot open ") + name);
    std::string data(st.size, '\0');
    const zip_int64_t n = zip_fread(file, data.data(), st.size);
    zip_fclose(file);
    if (n < 0 || zip_uint64_t(n) != st.size) throw std::runtime_error(std::string("cannot read ") + name);
    return data;
}

std::string Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const size_t end = text.find(';', i);
        const std::string_view entity = text.substr(i + 1, end - i - 1);
        if (entity == "amp") out += '&';
        else if (entity == "lt") out += '<';
        else if (entity == "gt") out += '>';
        else if (entity == "quot") out += '"';
        else if (entity == "apos") out += '\'';
        else if (!entity.empty() && entity[0] == '#') {
            const long code = entity.size() > 1 && entity[1] == 'x' ? std::strtol(std::string(entity.substr(2)).c_str(), nullptr, 16)
                                                                     : std::strtol(std::string(entity.substr(1)).c_str(), nullptr, 10);
            if (code < 0x80) out += char(code);  // the writer escapes control characters only
        }
        i = end;
    }
    return out;
}

using TAttrs = std::map<std::string, std::string>;

struct TXmlHandler {
    std::function<void(const std::string& name, const TAttrs& attrs, bool empty)> Start;
    std::function<void(const std::string& name)> End;
    std::function<void(const std::string& text)> Text;
};

// Enough XML for the files a workbook writer makes: elements, attributes, text, entities.
void ScanXml(std::string_view xml, const TXmlHandler& h) {
    size_t i = 0;
    while (i < xml.size()) {
        if (xml[i] != '<') {
            const size_t next = xml.find('<', i);
            if (h.Text) h.Text(Unescape(xml.substr(i, next - i)));
            i = next;
            continue;
        }
        const size_t close = xml.find('>', i);
        if (close == std::string_view::npos) throw std::runtime_error("broken XML");
        std::string_view tag = xml.substr(i + 1, close - i - 1);
        i = close + 1;
        if (tag.empty() || tag[0] == '?' || tag[0] == '!') continue;
        if (tag[0] == '/') {
            if (h.End) h.End(std::string(tag.substr(1)));
            continue;
        }
        const bool empty = tag.back() == '/';
        if (empty) tag.remove_suffix(1);
        size_t p = tag.find_first_of(" \t\r\n");
        const std::string name(tag.substr(0, p));
        TAttrs attrs;
        while (p != std::string_view::npos && p < tag.size()) {
            const size_t eq = tag.find('=', p);
            if (eq == std::string_view::npos) break;
            const size_t q1 = tag.find('"', eq);
            const size_t q2 = tag.find('"', q1 + 1);
            size_t k = p;
            while (k < eq && (tag[k] == ' ' || tag[k] == '\t' || tag[k] == '\r' || tag[k] == '\n')) ++k;
            attrs[std::string(tag.substr(k, eq - k))] = Unescape(tag.substr(q1 + 1, q2 - q1 - 1));
            p = q2 + 1;
        }
        if (h.Start) h.Start(name, attrs, empty);
        if (empty && h.End) h.End(name);
    }
}

std::pair<int, int> CellRef(const std::string& ref) {
    int column = 0;
    size_t i = 0;
    while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z') column = column * 26 + (ref[i++] - 'A' + 1);
    return {std::atoi(ref.c_str() + i) - 1, column - 1};
}

std::string BuiltInFormat(int id) {
    static const std::map<int, std::string> formats = {
        {0, "General"}, {1, "0"}, {2, "0.00"}, {3, "#,##0"}, {4, "#,##0.00"}, {9, "0%"}, {10, "0.00%"},
        {11, "0.00E+00"}, {49, "@"}};
    auto it = formats.find(id);
    return it == formats.end() ? "builtin:" + std::to_string(id) : it->second;
}

int IntAttr(const TAttrs& a, const char* name) {
    auto it = a.find(name);
    return it == a.end() ? 0 : std::atoi(it->second.c_str());
}

std::string Attr(const TAttrs& a, const char* name) {
    auto it = a.find(name);
    return it == a.end() ? "" : it->second;
}

void ReadStyles(const std::string& xml, TXlsxBook& book) {
    std::map<int, std::string> numFmts;
    struct TFont {
        double Size = 0;
        bool Bold = false, Italic = false;
    };
    std::vector<TFont> fonts;
    std::vector<std::array<std::string, 4>> borders;
    std::string section;
    bool inXf = false;
    TXmlHandler h;
    h.Start = [&](const std::string& name, const TAttrs& a, bool) {
        if (name == "numFmt") numFmts[IntAttr(a, "numFmtId")] = Attr(a, "formatCode");
        else if (name == "fonts" || name == "borders" || name == "cellXfs" || name == "cellStyleXfs") section = name;
        else if (section == "fonts" && name == "font") fonts.emplace_back();
        else if (section == "fonts" && name == "b") fonts.back().Bold = true;
        else if (section == "fonts" && name == "i") fonts.back().Italic = true;
        else if (section == "fonts" && name == "sz") fonts.back().Size = std::atof(Attr(a, "val").c_str());
        else if (section == "borders" && name == "border") borders.emplace_back();
        else if (section == "borders" && (name == "left" || name == "right" || name == "top" || name == "bottom")) {
            const int side = name == "left" ? 0 : name == "right" ? 1 : name == "top" ? 2 : 3;
            borders.back()[size_t(side)] = Attr(a, "style");
        } else if (section == "cellXfs" && name == "xf") {
            inXf = true;
            TXlsxStyle s;
            const int numFmt = IntAttr(a, "numFmtId");
            s.NumberFormat = numFmts.count(numFmt) ? numFmts[numFmt] : BuiltInFormat(numFmt);
            const TFont& font = fonts.at(size_t(IntAttr(a, "fontId")));
            s.FontSize = font.Size;
            s.Bold = font.Bold;
            s.Italic = font.Italic;
            const auto& border = borders.at(size_t(IntAttr(a, "borderId")));
            s.Left = border[0];
            s.Right = border[1];
            s.Top = border[2];
            s.Bottom = border[3];
            book.Styles.push_back(s);
        } else if (section == "cellXfs" && inXf && name == "alignment") {
            TXlsxStyle& s = book.Styles.back();
            s.Horizontal = Attr(a, "horizontal");
            s.Vertical = Attr(a, "vertical");
            s.Wrap = Attr(a, "wrapText") == "1";
        }
    };
    h.End = [&](const std::string& name) {
        if (name == "xf") inXf = false;
        if (name == section) section.clear();
    };
    ScanXml(xml, h);
}

void ReadSheet(const std::string& xml, const std::vector<std::string>& shared, TXlsxBook& book) {
    TXlsxCell* cell = nullptr;
    std::string type;
    std::string text;
    bool inText = false, inValue = false;
    TXmlHandler h;
    h.Start = [&](const std::string& name, const TAttrs& a, bool) {
        if (name == "col") {
            for (int c = IntAttr(a, "min"); c <= IntAttr(a, "max"); ++c)
                book.Columns[c - 1] = {std::atof(Attr(a, "width").c_str()), IntAttr(a, "style")};
        } else if (name == "pageSetup") {
            book.Orientation = Attr(a, "orientation");
        } else if (name == "mergeCell") {
            book.HasMergedCells = true;
        } else if (name == "c") {
            cell = &book.Cells[CellRef(Attr(a, "r"))];
            cell->Style = IntAttr(a, "s");
            type = Attr(a, "t");
            text.clear();
        } else if (name == "t") {
            inText = true;
        } else if (name == "v") {
            inValue = true;
        }
    };
    h.Text = [&](const std::string& t) {
        if (inText || inValue) text += t;
    };
    h.End = [&](const std::string& name) {
        if (name == "t") inText = false;
        if (name == "v") inValue = false;
        if (name != "c" || !cell) return;
        if (type == "s") {
            cell->Text = shared.at(size_t(std::atoi(text.c_str())));
        } else if (type.empty() || type == "n") {
            cell->Text = text;
            cell->Number = !text.empty();
            cell->Value = std::atof(text.c_str());
        } else {
            cell->Text = text;
        }
        cell = nullptr;
    };
    ScanXml(xml, h);
}

std::vector<std::string> ReadSharedStrings(const std::string& xml) {
    std::vector<std::string> strings;
    bool inText = false;
    TXmlHandler h;
    h.Start = [&](const std::string& name, const TAttrs&, bool) {
        if (name == "si") strings.emplace_back();
        if (name == "t") inText = true;
    };
    h.Text = [&](const std::string& t) {
        if (inText) strings.back() += t;
    };
    h.End = [&](const std::string& name) {
        if (name == "t") inText = false;
    };
    ScanXml(xml, h);
    return strings;
}

} // namespace

TXlsxBook TXlsxBook::Read(const std::filesystem::path& file) {
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY, &error);
    if (!archive) throw std::runtime_error("not a zip file: " + file.string());
    TXlsxBook book;
    try {
        TXmlHandler h;
        h.Start = [&](const std::string& name, const TAttrs& a, bool) {
            if (name == "sheet") book.SheetNames.push_back(Attr(a, "name"));
        };
        ScanXml(ReadEntry(archive, "xl/workbook.xml", true), h);
        ReadStyles(ReadEntry(archive, "xl/styles.xml", true), book);
        const auto shared = ReadSharedStrings(ReadEntry(archive, "xl/sharedStrings.xml", false));
        ReadSheet(ReadEntry(archive, "xl/worksheets/sheet1.xml", true), shared, book);
    } catch (...) {
        zip_discard(archive);
        throw;
    }
    zip_discard(archive);
    return book;
}

const TXlsxCell* TXlsxBook::Cell(int row, int column) const {
    auto it = Cells.find({row, column});
    return it == Cells.end() ? nullptr : &it->second;
}

std::string TXlsxBook::Text(int row, int column) const {
    const TXlsxCell* c = Cell(row, column);
    return c ? c->Text : std::string();
}

int TXlsxBook::RowCount() const { return Cells.empty() ? 0 : Cells.rbegin()->first.first + 1; }

} // namespace qx::test
