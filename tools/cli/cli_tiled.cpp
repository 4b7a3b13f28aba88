#include "cli/cli_commands.h"
#include "formats/tiled/tiled_level.h"
#include "image/png_save.h"
#include "system/paths.h"
#include "system/stream.h"

int CliExportTiled(TCliCall& call) {
    const std::string& levelPath = call.args[0];
    const std::string& target = call.args[1];
    const TTiledFormat format = TiledFormatOf(target);
    if (format == TTiledFormat::None) {
        call.err << "tarn-cli: the map's name must end in .tmx (TMX) or .tmj or .json (JSON): " << target << "\n";
        return 2;
    }
    TCliLevel bound;
    // A game whose files could not be read has been explained by their reader.
    if (!ReadBoundLevelForCli(levelPath, call, bound) || !bound.game.shapeman || !bound.game.tileinfo) return 1;

    // The pictures are named after the map and lie beside it.
    std::string base = FileNamePart(target);
    base = base.substr(0, base.rfind('.'));
    std::string dir = DirectoryPart(target);
    if (!dir.empty() && dir.back() != '/') dir += '/';
    const TTiledExport exported = LevelToTiled(*bound.level, *bound.game.shapeman, *bound.game.tileinfo, base);
    for (const TTiledPicture& picture : exported.pictures)
        if (!SavePng(picture.bitmap, dir + picture.fileName, picture.seeThrough ? 1 : 0)) {
            call.err << WithFileErrorReason("tarn-cli: cannot write the picture " + dir + picture.fileName, " ") << "\n";
            return 1;
        }
    // The map last, so that it never names a picture that is not there.
    const std::string text = format == TTiledFormat::Tmx ? WriteTmx(exported.map) : WriteTmj(exported.map);
    if (!ReplaceWholeFile(target, text)) {
        call.err << WithFileErrorReason("tarn-cli: cannot write the map to the file " + target, " ") << "\n";
        return 1;
    }
    return 0;
}

int CliImportTiled(TCliCall& call) {
    const std::string& source = call.args[0];
    const std::string& target = call.args[1];
    TLevelPtr level;
    try {
        level = TiledToLevel(ReadTiledMap(source));
    } catch (const TTiledError& error) {
        call.err << "tarn-cli: " << source << ": " << error.what() << "\n";
        return 1;
    }
    if (!level->WriteToFile(target)) {
        call.err << WithFileErrorReason("tarn-cli: cannot write the level to the file " + target, " ") << "\n";
        return 1;
    }
    return 0;
}
