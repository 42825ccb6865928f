#pragma once
// How the drawn static texts place their text in the client area.

// CDrawTextStatic's modes; a value outside them draws no text.
enum class TextAlign : int {
    kBlock = 0,            // wrapped, centred up and down
    kOneLine = 1,          // one line, left, centred up and down
    kOneLineCentred = 2,   // one line, centred both ways
    kBlockRight = 3,       // wrapped, right-aligned, centred up and down
    kOneLineToo = 4,       // as kOneLine
    kBlockCentred = 5,     // wrapped, centred both ways
    kTopLeft = 6,          // wrapped from the top left
    kEditControlBlock = 7, // wrapped like an edit control, centred up and down
};

// CDrawStateInfoStatic's modes; a value outside them is kOneLineLeft.
enum class StateAlign : int {
    kOneLineLeft = 1,
    kOneLineCentred = 2,
    kOneLineRight = 3,
    kBlockLeft = 4,  // the blocks are wrapped and centred up and down
    kBlockCentred = 5,
    kBlockRight = 6,
};
