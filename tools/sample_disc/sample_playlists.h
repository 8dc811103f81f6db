#pragma once
// The PlayLists of the sample disc, as models for the PlayList writer.
//
//   00000  the main feature: three PlayItems with video, two audio, two PG and
//          an IG stream each, a pop-up menu SubPath and twelve marks, and a
//          small ExtensionData block;
//   00001  a multi-angle cut: three angles in its first PlayItem;
//   00002  picture-in-picture with commentary: an in-mux PiP SubPath and an
//          out-of-mux audio SubPath, secondary audio and video streams;
//   00003  the menu background: one short PlayItem and one mark.
//
// Every length, count and start address agrees with the content, so the
// writer lays each file out block after block and reading it back gives the
// same model.
#include <string>
#include <vector>

#include "playlist/playlist_model.h"

namespace navelo::sample {

struct SamplePlayList {
    std::string name;  // without extension
    TMPLS model;
};

std::vector<SamplePlayList> samplePlayLists();

}  // namespace navelo::sample
