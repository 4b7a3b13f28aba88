// "tarn.ini": the window size (in logical pixels), the interface scale, the
// redraw switch and the object palette.
// Read once when the main menu starts and written when the program ends.

#include <algorithm>
#include <span>
#include <string>

#include "base/ini.h"
#include "base/log.h"
#include "edit/jill_level_viewer.h"
#include "level/level_object.h"
#include "level/object_fields.h"
#include "level/object_kinds.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "screen/interface_scale.h"

namespace {

const std::string kSettingsFile = "tarn.ini";
const std::string kGraphics = "graphics";
const std::string kObjects = "objects";

constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 720;
constexpr int kDefaultPaletteCount = 69;   // one object of every known kind
// A hand-edited count must not stall start-up building millions of objects.
constexpr int kMaxPaletteCount = 10000;

std::string Prefix(size_t index) { return "object[" + std::to_string(index) + "]."; }

// The palette's 16-bit fields in record order, objkind and the text being
// handled apart; the size is read last, after the kind's own size is set.
constexpr std::span<const TObjectWordField> kFieldsBeforeText(kObjectWordFieldsBeforeInside);
constexpr auto kPositionFields = kFieldsBeforeText.first(4), kSizeFields = kFieldsBeforeText.subspan(4, 2),
               kStateFields = kFieldsBeforeText.subspan(6);

void ReadFields(TIniParser& ini, const std::string& prefix, TLevelObject& obj, const auto& fields) {
    for (const TObjectWordField& field : fields)
        obj.*field.member = static_cast<uint16_t>(ini.GetInt(kObjects, prefix + field.name, AsSigned16(obj.*field.member)));
}

void WriteFields(TIniParser& ini, const std::string& prefix, const TLevelObject& obj, const auto& fields) {
    for (const TObjectWordField& field : fields) ini.SetInt(kObjects, prefix + field.name, AsSigned16(obj.*field.member));
}

std::shared_ptr<TLevelObject> ReadPaletteObject(TIniParser& ini, size_t index) {
    const std::string prefix = Prefix(index);
    auto obj = std::make_shared<TLevelObject>();
    obj->objkind = static_cast<uint8_t>(index);
    obj->objkind = static_cast<uint8_t>(ini.GetInt(kObjects, prefix + "objkind", obj->objkind));
    if (obj->objkind == ObjKind::TEXT6 || obj->objkind == ObjKind::TEXT8) {
        // A text object without a text has nothing to show in the palette.
        obj->insideStr = obj->objkind == ObjKind::TEXT6 ? "TXT6" : "TXT8";
        obj->xd = 7;
        obj->yd = 0xFFFF;
    }
    ReadFields(ini, prefix, *obj, kPositionFields);
    ReadFields(ini, prefix, *obj, kStateFields);
    obj->insideStr = ini.GetString(kObjects, prefix + "inside", obj->insideStr);
    ReadFields(ini, prefix, *obj, kObjectWordFieldsAfterInside);
    // The kind's own size is the default of a size the file does not give.
    obj->UpdateHitbox();
    ReadFields(ini, prefix, *obj, kSizeFields);
    return obj;
}

}  // namespace

void TJillLevelViewer::LoadSettings() {
    ini = std::make_shared<TIniParser>();
    ini->LoadIniFile(kSettingsFile, true);
    SetDefaultImageFlags(IMAGE_MASKED);
    const int width = ini->GetInt(kGraphics, "width", kDefaultWidth);
    const int height = ini->GetInt(kGraphics, "height", kDefaultHeight);
    fullrefresh = ini->GetInt(kGraphics, "fullrefresh", fullrefresh);
    const std::string scale = ini->GetString(kGraphics, "scale", "AUTO");
    const std::optional<int> scaleSetting = ScaleSettingFromText(scale);
    SetInterfaceScaleSetting(scaleSetting.value_or(kAutomaticScale));
    if (!scaleSetting)
        LogLine("SCALE=" + scale + " in \"" + kSettingsFile + "\" is neither AUTO nor 1 to " +
                std::to_string(kMaxInterfaceScale) + "; the display chooses");

    LogText("Trying to start windowed graphics mode " + std::to_string(width) + " x " + std::to_string(height) +
            " ... ");
    OpenGraphicsWindow(width, height, 0, 60, 0);
    if (ScreenWidth() == 0 || ScreenHeight() == 0) {
        LogError();
        LogLine(" " + GraphicsWindowFailure());
        LogBlock("Cannot start graphics mode - Program halted.");
        // Not the orderly end ExitProgram stands for: whoever started the
        // program learns from the status that it could not run.
        ExitProgram(1);
    }
    LogOK();
    LogLine(" Graphics window is " + std::to_string(ScreenWidth()) + " x " + std::to_string(ScreenHeight()));
    LogLine(RendererChoice());
    LogLine(InterfaceScaleChoice());
    InitWindow();
    InitObjectPalette();
}

void TJillLevelViewer::InitObjectPalette() {
    const int count = std::clamp(ini->GetInt(kObjects, "count", kDefaultPaletteCount), 0, kMaxPaletteCount);
    objects.clear();
    for (int i = 0; i < count; ++i) objects.push_back(ReadPaletteObject(*ini, size_t(i)));
}

bool TJillLevelViewer::SaveSettings() {
    if (!ini) ini = std::make_shared<TIniParser>();
    ini->SetInt(kGraphics, "width", ScreenWidth());
    ini->SetInt(kGraphics, "height", ScreenHeight());
    ini->SetInt(kGraphics, "fullrefresh", fullrefresh);
    ini->SetString(kGraphics, "scale", ScaleSettingText(InterfaceScaleSetting()));
    // An empty palette leaves the file's entries as they are, so a count of
    // 0 set by hand does not wipe them.
    if (!objects.empty()) {
        ini->SetInt(kObjects, "count", int(objects.size()));
        for (size_t i = 0; i < objects.size(); ++i) {
            if (!objects[i]) continue;
            const TLevelObject& obj = *objects[i];
            const std::string prefix = Prefix(i);
            ini->SetInt(kObjects, prefix + "objkind", obj.objkind);
            WriteFields(*ini, prefix, obj, kFieldsBeforeText);
            ini->SetString(kObjects, prefix + "inside", obj.insideStr);
            WriteFields(*ini, prefix, obj, kObjectWordFieldsAfterInside);
        }
    }
    return ini->SaveIniFile(kSettingsFile);
}
