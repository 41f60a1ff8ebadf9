// The session table behind the handles, and what a session holds besides its picture.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "imaging/image.h"
#include "imaging/imaging.h"

namespace imaging {

struct SessionOptions {
    bool load16 = false;
    bool save16 = false;
    std::string autoProfilePath;
    bool saveIcc = true;
    bool autodetect = true;
    bool autoRotate = false;
    int rawCameraWhiteBalance = 1;
    int rawFullSize = 1;
    int psdCompression = 1;
    int jpegQuality = 90;
    double qualityFraction = 1.0;
    bool jpegOptimize = true;
    int jpegSmoothing = 0;
    const std::atomic<bool>* stop = nullptr;  // see cSetStopFlag
};

struct OpRectangle {
    int left = 0, top = 0, right = -1, bottom = -1;
    bool set = false;
};

struct Session {
    Image image;
    SessionOptions options;
    OpRectangle rect;
    std::string lastError;
    // What was noted without failing since the picture was loaded (see cGetWarnings).
    std::vector<std::string> warnings;
};

// The session of a handle, or null (and the thread's error text set) for an unknown handle.
Session* findSession(Handle h);
// Records a failure on the session (or on the thread when s is null) and returns false.
bool fail(Session* s, const std::string& text);
// Records a failure for handle h.
bool failHandle(Handle h, const std::string& text);

}  // namespace imaging
