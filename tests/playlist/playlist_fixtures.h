#pragma once
// The PlayLists the reader, writer and row tests share.
#include "playlist/mpls_fixture.h"

namespace navelo::test::mpls {

// Three PlayItems (one with three angles, one with a single angle), an STN
// table with items of every kind, two SubPaths (one with three clip entries),
// five marks and an ExtensionData block.
inline File richFile() {
    File f;
    f.playbackType = 3;
    f.playbackCount = 7;
    f.uo1 = 0x80000200;
    f.uo2 = 0x40000001;
    f.appFlags = 0xA000;

    PlayItem angles;
    angles.flags = 0x11;
    angles.angles = 3;
    angles.angleFlags = 0x03;
    angles.angleRefs = {clipRef("00011", 1), clipRef("00012", 2)};
    angles.table.counts = {1, 2, 2, 1, 2, 1, 1};
    angles.table.items = cat({
        entryPlayItem(0x1011), videoAttr(0x1B, 6, 1),                                  // primary video
        entryPlayItem(0x1100), audioAttr(0x81, 6, 1, "eng"),                           // primary audio
        entrySubPath(1, 2, 0x1101), audioAttr(0x83, 12, 14, "jpn"),
        entryPlayItem(0x1200), graphicsAttr(0x90, "eng"),                              // PG
        entrySubPath(10, 11, 0x1201), graphicsAttr(0x90, "fra"),
        entryImPip(10, 0x1202), graphicsAttr(0x90, "deu"),                             // PiP PG
        entrySubPath(0, 0, 0x1400), graphicsAttr(0x91, "eng"),                         // IG
        entryImPip(1, 0x1A00), audioAttr(0xA1, 3, 1, "eng"), refs({0, 1, 2}),          // secondary audio
        entrySubPath(12, 3, 0x1A01), audioAttr(0xA2, 3, 1, "spa"), refs({0, 1}),
        entryImPip(1, 0x1B00), videoAttr(0xEA, 3, 1), refs({0}), refs({0, 1}),         // secondary video
    });

    PlayItem plain;
    plain.clip = "00002";
    plain.in = 900000;
    plain.out = 1800000;
    plain.uo1 = 0x3CB805FF;
    plain.uo2 = 0x40000000;
    plain.randomAccess = 0x80;
    plain.stillMode = 1;
    plain.stillTime = 30;

    PlayItem single;
    single.clip = "00003";
    single.flags = 0x15;
    single.angles = 1;
    single.angleFlags = 0x02;

    f.items = {angles, plain, single};

    SubPlayItem multi;
    multi.connection = (5u << 1) | 1;
    multi.clipEntries = 3;
    multi.reserved = 0x5A;
    multi.clipRefs = {clipRef("00021", 1), clipRef("00022", 2)};
    SubPath menu;
    menu.repeat = 0x0100;
    menu.items = {multi};
    SubPlayItem second;
    second.clip = "00004";
    second.syncPlayItem = 1;
    second.syncPts = 900000;
    SubPath pip;
    pip.type = 7;
    pip.items = {SubPlayItem{}, second};
    f.subPaths = {menu, pip};

    f.marks = {Mark{}, Mark{2, 1, 900000, 0x1011, 45000}, Mark{1, 1, 1350000}, Mark{1, 2, 0}, Mark{2, 2, 45}};
    f.extension = extensionBlock({1, 2, 3, 4});
    return f;
}

}  // namespace navelo::test::mpls
