// What only Windows does to a replace: another program holding the file
// open (a viewer, a second editor) without letting it be replaced.

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "support/files.h"
#include "support/temp_dir.h"
#include "system/file_identity.h"
#include "system/stream.h"

TEST(WindowsReplace, AFileHeldOpenElsewhereKeepsItsOldBytesAndTheReasonIsTold) {
    TTempDir dir;
    const std::string path = dir.File("level.jn1");
    WriteFileText(path, "old");
    {
        // The C library opens files without letting them be deleted or
        // replaced while open, as many programs do.
        std::ifstream held(path, std::ios::binary);
        ASSERT_TRUE(held);
        TStreamPtr stream = OpenReplaceStream(path);
        ASSERT_TRUE(stream);
        stream->WriteString("new");
        EXPECT_FALSE(stream->Close());
        EXPECT_EQ(LastFileError(), EACCES);
        EXPECT_EQ(WithFileErrorReason("Cannot save", " "), "Cannot save (Permission denied)");
    }
    EXPECT_EQ(ReadFileText(path), "old");
    EXPECT_EQ(FolderFileNames(dir.Path()), std::vector<std::string>{"level.jn1"}) << "the temporary file stays behind";

    // Once it is let go, the same replace goes through.
    TStreamPtr stream = OpenReplaceStream(path);
    ASSERT_TRUE(stream);
    stream->WriteString("new");
    EXPECT_TRUE(stream->Close());
    EXPECT_EQ(ReadFileText(path), "new");
}
