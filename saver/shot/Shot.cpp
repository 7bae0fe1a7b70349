#include "saver/shot/Shot.h"

#include "saver/forms/Halt.h"
#include "saver/shell/Param.h"
#include "saver/shell/logger.h"

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

}  // namespace

void TakeScreenshot() {
    // A malformed argument fails here, outside the error handling below: the last-chance
    // handler reports it.
    TParams params;
    const std::string fileName = params.GetString("shot");
    if (fileName.empty()) Halt(2);
    try {
        const TShotOptions options = ReadShotOptions(params, fileName);
        // The still renderer takes the options from here once the Flash host exists.
        (void)options;
    } catch (const std::exception& error) {
        TLogger::Log(std::string("Screenshot failed: ") + error.what());
        Halt(3);
    }
}

}  // namespace quorlin
