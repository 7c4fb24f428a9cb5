#pragma once
// The cells of the first sheet of a flat OpenDocument spreadsheet (.fods), as
// a spreadsheet program writes them: enough of the XML to read what each cell
// holds, its type and value and the text it shows.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vk::testing {

struct OdsCell {
  std::string Type;   // office:value-type: "string", "float", "date", ...; empty for an empty cell
  std::string Value;  // office:value, office:date-value or office:string-value
  std::string Text;   // what the cell shows
  bool Formula = false;
};

using OdsRow = std::vector<OdsCell>;

namespace ods_detail {

inline std::string Attribute(std::string_view tag, std::string_view name) {
  const std::string key = " " + std::string(name) + "=\"";
  const size_t at = tag.find(key);
  if (at == std::string_view::npos) return {};
  const size_t start = at + key.size();
  return std::string(tag.substr(start, tag.find('"', start) - start));
}

inline std::string Unescape(std::string_view text) {
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&quot;", '"'}, {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&apos;", '\''}};
  std::string out;
  for (size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& [entity, c] : kEntities) {
      if (text.substr(i, entity.size()) == entity) {
        out += c;
        i += entity.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

// The shown text of a cell's content: its paragraphs (one per line), with
// <text:s/> as blanks and <text:tab/> as tabs; the layout between tags is
// not part of it.
inline std::string ShownText(std::string_view content) {
  std::string out;
  bool inParagraph = false;
  for (size_t i = 0; i < content.size();) {
    if (content[i] != '<') {
      const size_t next = std::min(content.find('<', i), content.size());
      if (inParagraph) out += Unescape(content.substr(i, next - i));
      i = next;
      continue;
    }
    const size_t end = content.find('>', i);
    const std::string_view tag = content.substr(i, end - i + 1);
    const auto is = [&](std::string_view name) {
      return tag.rfind(name, 0) == 0 && (tag[name.size()] == ' ' || tag[name.size()] == '/' || tag[name.size()] == '>');
    };
    if (is("<text:p")) {
      if (!out.empty()) out += '\n';
      inParagraph = tag[tag.size() - 2] != '/';
    } else if (is("</text:p")) {
      inParagraph = false;
    } else if (is("<text:s")) {
      const std::string count = Attribute(tag, "text:c");
      out += std::string(count.empty() ? 1 : std::stoul(count), ' ');
    } else if (is("<text:tab")) {
      out += '\t';
    }
    i = end + 1;
  }
  return out;
}

}  // namespace ods_detail

// The rows of the first table; repeated cells are written out (up to a few
// columns: a row's trailing run of empty cells may repeat a thousand times).
inline std::vector<OdsRow> ReadOdsRows(std::string_view xml, size_t maxColumns = 16) {
  using namespace ods_detail;
  std::vector<OdsRow> rows;
  const size_t tableEnd = xml.find("</table:table>");
  for (size_t at = xml.find("<table:table-row"); at < tableEnd; at = xml.find("<table:table-row", at)) {
    const size_t rowEnd = xml.find("</table:table-row>", at);
    OdsRow row;
    for (size_t c = xml.find("<table:table-cell", at); c < rowEnd; c = xml.find("<table:table-cell", c)) {
      const size_t tagEnd = xml.find('>', c);
      const std::string_view tag = xml.substr(c, tagEnd - c + 1);
      OdsCell cell;
      cell.Type = Attribute(tag, "office:value-type");
      cell.Value = Attribute(tag, "office:value");
      if (cell.Value.empty()) cell.Value = Attribute(tag, "office:date-value");
      if (cell.Value.empty()) cell.Value = Unescape(Attribute(tag, "office:string-value"));
      cell.Formula = !Attribute(tag, "table:formula").empty();
      size_t next = tagEnd + 1;
      if (tag[tag.size() - 2] != '/') {
        const size_t close = xml.find("</table:table-cell>", next);
        cell.Text = ShownText(xml.substr(next, close - next));
        next = close;
      }
      const std::string repeated = Attribute(tag, "table:number-columns-repeated");
      for (size_t n = repeated.empty() ? 1 : std::stoul(repeated); n > 0 && row.size() < maxColumns; --n) {
        row.push_back(cell);
      }
      c = next;
    }
    rows.push_back(std::move(row));
    at = rowEnd;
  }
  return rows;
}

}  // namespace vk::testing
