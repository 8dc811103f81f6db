#pragma once
// Turning a BDMV folder into a loaded disc: the folder check, the navigation
// and sound files, the file lists and the stream inventory, each step reported
// in the log in fixed wording so that the log reads as a checklist.
#include <optional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/folder_check.h"
#include "core/log.h"
#include "navigation/index_file.h"
#include "navigation/movie_object.h"
#include "sound/sound_file.h"

namespace navelo {

struct LoadedDisc {
    std::string folder;  // the BDMV folder, ending with a separator

    bool checkPassed = false;
    // A present file that could not be read ends the load; what came before stays.
    std::optional<Error> aborted;

    bool movieObjectRead = false;  // header matched
    TMOBJ movieObject;
    std::vector<std::string> playlists;  // names without extension, in listing order
    std::vector<std::string> clips;
    bool bdjoFolder = false;
    std::vector<std::string> bdjoFiles;

    bool indexRead = false;  // header matched and the title count was acceptable
    std::optional<std::uint32_t> titleCountError;
    TINDX index;

    bool soundPresent = false;  // AUXDATA/sound.bdmv exists: the sound group is shown
    bool soundRead = false;
    TSND sound;

    StreamInventory streams;  // one entry per clip, in clip order
    std::string volumeTitle;
};

// Runs the whole load of the folder named by folderText (as typed; a separator is added when missing).
LoadedDisc loadDisc(const std::string& folderText, Log& log);

// Folder and file check lines as the log shows them.
std::string folderCheckLine(const std::string& name, bool present);
std::string fileCheckLine(const std::string& name, bool present);

}  // namespace navelo
