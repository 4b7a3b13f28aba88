#include "sample_game/sample_game.h"

#include <filesystem>
#include <system_error>

#include "sample_game/sample_art.h"
#include "sample_game/sample_levels.h"
#include "system/stream.h"

std::vector<TSampleFile> BuildSampleGame() {
    std::vector<TSampleFile> files = {
        {"jill1.sha", EncodeShapeFile(BuildSampleShapes(TSampleGame::Jill1))},
        {"jill2.sha", EncodeShapeFile(BuildSampleShapes(TSampleGame::Jill2))},
        {"jill3.sha", EncodeShapeFile(BuildSampleShapes(TSampleGame::Jill3))},
        {"onesimus.sha", EncodeShapeFile(BuildSampleShapes(TSampleGame::Onesimus))},
        {"jill.dma", EncodeSampleTileInfo(TSampleGame::Jill1)},
        {"onesimus.dma", EncodeSampleTileInfo(TSampleGame::Onesimus)},
    };
    for (TSampleFile& level : BuildSampleLevels()) files.push_back(std::move(level));
    return files;
}

bool WriteSampleGame(const std::string& dir, std::string& error) {
    // The folder's name is UTF-8 on every system; a plain string would be
    // read in the Windows code page there, which cannot name every folder.
    const std::filesystem::path folder(std::u8string(dir.begin(), dir.end()));
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "cannot create the folder " + dir + ": " + ec.message();
        return false;
    }
    for (const TSampleFile& file : BuildSampleGame()) {
        const std::u8string joined = (folder / file.name).u8string();
        const std::string path(joined.begin(), joined.end());
        TStreamPtr out = OpenReplaceStream(path);
        if (!out || out->WriteRaw(file.bytes.data(), file.bytes.size()) != file.bytes.size() || !out->Close()) {
            error = "cannot write " + path;
            return false;
        }
    }
    return true;
}
