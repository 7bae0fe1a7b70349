#include "saver/shot/Shot.h"

#include <new>

#include "saver/forms/Halt.h"
#include "saver/shell/Param.h"
#include "saver/shell/logger.h"
#include "saver/shot/StillRenderer.h"

namespace quorlin {

namespace {

struct TShotOptions {
    std::string FileName;
    std::string Time;
    std::string Scale;
    int32_t Width = 0;
    int32_t Height = 0;
};

// Read in this order, so that the first bad number is the one reported.
TShotOptions ReadShotOptions(const TParams& params, const std::string& fileName) {
    TShotOptions options;
    options.FileName = fileName;
    options.Time = params.GetStringDef("time", "09:05:25");
    options.Scale = params.GetStringDef("scale", "noborder");
    options.Height = params.GetIntegerDef("height", 1440);
    options.Width = params.GetIntegerDef("width", 1920);
    return options;
}

// Everything the still renderer built is gone by now; the process ends at once.
[[noreturn]] void Fail(const std::string& message) {
    TLogger::Log("Screenshot failed: " + message);
    Halt(3);
}

}  // namespace

void TakeScreenshot() {
    // A malformed argument fails here, outside the error handling below: the last-chance
    // handler reports it.
    TParams params;
    const std::string fileName = params.GetString("shot");
    if (fileName.empty()) Halt(2);
    try {
        const TShotOptions options = ReadShotOptions(params, fileName);
        RenderStill(options.FileName, options.Width, options.Height, options.Time, options.Scale);
    } catch (const std::bad_alloc&) {
        // The library's own text for this says nothing to a reader of the log.
        Fail("Out of memory");
    } catch (const std::exception& error) {
        Fail(error.what());
    }
}

}  // namespace quorlin
