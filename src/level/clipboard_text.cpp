#include "level/clipboard_text.h"

#include <charconv>
#include <limits>
#include <optional>
#include <set>
#include <span>

#include "level/level.h"
#include "level/level_file.h"
#include "level/object_fields.h"

namespace {

constexpr std::string_view kTilesHeader = "Tarn clipboard: tiles";
constexpr std::string_view kObjectHeader = "Tarn clipboard: object";
constexpr std::string_view kGameLabel = "game: ";
constexpr std::string_view kSizeLabel = "size: ";
constexpr std::string_view kTextLabel = "text: ";
constexpr std::string_view kEndLine = "end";

uint16_t* WordFieldNamed(TLevelObject& object, std::string_view name) {
    for (const auto& fields : {std::span<const TObjectWordField>(kObjectWordFieldsBeforeInside),
                               std::span<const TObjectWordField>(kObjectWordFieldsAfterInside)})
        for (const TObjectWordField& field : fields)
            if (field.name == name) return &(object.*field.member);
    return nullptr;
}

std::string Line(std::string_view label, const std::string& value) { return std::string(label) + value + "\n"; }

// The text between double quotes; a byte the clipboard cannot carry as it is
// (a control code, a code above 126, the quote and the backslash) as an escape.
std::string QuotedText(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string quoted = "\"";
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += char(c);
        } else if (c >= 32 && c <= 126) {
            quoted += char(c);
        } else {
            quoted += "\\x";
            quoted += kHex[c >> 4];
            quoted += kHex[c & 15];
        }
    }
    return quoted + "\"";
}

// A whole decimal number within [low, high], nothing around it.
std::optional<int64_t> Decimal(std::string_view text, int64_t low, int64_t high) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
    return value;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> UnquotedText(std::string_view quoted) {
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return std::nullopt;
    quoted = quoted.substr(1, quoted.size() - 2);
    std::string text;
    for (size_t at = 0; at < quoted.size(); ++at) {
        const char c = quoted[at];
        if (c == '"' || (unsigned char)c < 32 || (unsigned char)c > 126) return std::nullopt;
        if (c == '\\') {
            if (at + 1 < quoted.size() && (quoted[at + 1] == '"' || quoted[at + 1] == '\\')) {
                text += quoted[++at];
            } else if (at + 3 < quoted.size() && quoted[at + 1] == 'x' && HexDigit(quoted[at + 2]) >= 0 &&
                       HexDigit(quoted[at + 3]) >= 0) {
                text += char(HexDigit(quoted[at + 2]) * 16 + HexDigit(quoted[at + 3]));
                at += 3;
            } else {
                return std::nullopt;
            }
        } else {
            text += c;
        }
        if (text.size() > kMaxTextLength) return std::nullopt;
    }
    return text;
}

// The lines of text without their line ends ("\n" or "\r\n"); a last line
// end adds no empty line.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

// The words of a line, between blanks.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    while (!line.empty()) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos) break;
        line.remove_prefix(start);
        const size_t end = line.find_first_of(" \t");
        words.push_back(line.substr(0, end));
        line = end == std::string_view::npos ? std::string_view() : line.substr(end);
    }
    return words;
}

bool StartsWith(std::string_view line, std::string_view label) { return line.substr(0, label.size()) == label; }

// The brush lines between the game and "end".
bool ReadTiles(std::span<const std::string_view> lines, TClipboardContent& content) {
    if (lines.empty() || !StartsWith(lines[0], kSizeLabel)) return false;
    const std::vector<std::string_view> size = Words(lines[0].substr(kSizeLabel.size()));
    if (size.size() != 3 || size[1] != "x") return false;
    const auto w = Decimal(size[0], 1, kBoardWidth), h = Decimal(size[2], 1, kBoardHeight);
    if (!w || !h || lines.size() != size_t(1 + *h)) return false;
    for (const std::string_view row : lines.subspan(1)) {
        const std::vector<std::string_view> cells = Words(row);
        if (cells.size() != size_t(*w)) return false;
        for (const std::string_view cell : cells) {
            const auto tile = Decimal(cell, 0, kTileNumberMask);
            if (!tile) return false;
            content.tiles.push_back(uint16_t(*tile));
        }
    }
    content.w = int(*w);
    content.h = int(*h);
    return true;
}

// The object's lines between the game and "end": every field once, in any
// order, and the text at most once.
bool ReadObject(std::span<const std::string_view> lines, TClipboardContent& content) {
    auto object = std::make_shared<TLevelObject>();
    std::set<std::string_view> seen;
    for (const std::string_view line : lines) {
        const size_t colon = line.find(": ");
        if (colon == std::string_view::npos) return false;
        const std::string_view name = line.substr(0, colon), value = line.substr(colon + 2);
        if (!seen.insert(name).second) return false;
        if (name == "objkind") {
            const auto kind = Decimal(value, 0, 255);
            if (!kind) return false;
            object->objkind = uint8_t(*kind);
        } else if (name == "inside") {
            const auto inside =
                Decimal(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
            if (!inside) return false;
            object->inside = int32_t(*inside);
        } else if (name == "text") {
            auto text = UnquotedText(value);
            if (!text) return false;
            object->insideStr = std::move(*text);
        } else {
            // Signed as the form shows it, or unsigned as the record holds it.
            uint16_t* field = WordFieldNamed(*object, name);
            const auto word = Decimal(value, -32768, 65535);
            if (!field || !word) return false;
            *field = uint16_t(*word);
        }
    }
    // Every field but the text is required.
    if (seen.size() - seen.count("text") != kObjectWordFieldsBeforeInside.size() + kObjectWordFieldsAfterInside.size() + 2)
        return false;
    content.object = std::move(object);
    return true;
}

}  // namespace

std::string ClipboardTilesText(const std::string& game, const std::vector<uint16_t>& tiles, int w, int h) {
    std::string text = std::string(kTilesHeader) + "\n" + Line(kGameLabel, game) +
                       Line(kSizeLabel, std::to_string(w) + " x " + std::to_string(h));
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) text += (i ? " " : "") + std::to_string(tiles[size_t(i + j * w)]);
        text += "\n";
    }
    return text + std::string(kEndLine) + "\n";
}

std::string ClipboardObjectText(const std::string& game, const TLevelObject& object) {
    const auto signedWord = [](uint16_t value) { return std::to_string(int16_t(value)); };
    std::string text = std::string(kObjectHeader) + "\n" + Line(kGameLabel, game) +
                       Line("objkind: ", std::to_string(object.objkind));
    for (const TObjectWordField& field : kObjectWordFieldsBeforeInside)
        text += Line(std::string(field.name) + ": ", signedWord(object.*field.member));
    text += Line("inside: ", std::to_string(object.inside));
    for (const TObjectWordField& field : kObjectWordFieldsAfterInside)
        text += Line(std::string(field.name) + ": ", signedWord(object.*field.member));
    return text + Line(kTextLabel, QuotedText(object.insideStr)) + std::string(kEndLine) + "\n";
}

TClipboardContent ReadClipboardText(std::string_view text) {
    TClipboardContent content;
    if (text.size() > kMaxClipboardTextBytes) return content;
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.size() < 3 || lines.back() != kEndLine || !StartsWith(lines[1], kGameLabel)) return content;
    const std::string_view game = lines[1].substr(kGameLabel.size());
    if (game.empty()) return content;
    const auto body = std::span<const std::string_view>(lines).subspan(2, lines.size() - 3);
    TClipboardContent read;
    read.game = std::string(game);
    if (lines[0] == kTilesHeader && ReadTiles(body, read)) read.kind = TClipboardContent::TKind::Tiles;
    else if (lines[0] == kObjectHeader && ReadObject(body, read)) read.kind = TClipboardContent::TKind::Object;
    else return content;
    return read;
}
