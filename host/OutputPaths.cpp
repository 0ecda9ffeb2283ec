#include "host/OutputPaths.h"
#include "host/files/FileBytes.h"

namespace {

std::string named(const NamedFile& file) { return file.option + " '" + file.path + "'"; }

}  // namespace

std::string findOutputClash(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs) {
    std::vector<NamedFile> all = inputs;
    all.insert(all.end(), outputs.begin(), outputs.end());
    for (size_t o = 0; o < outputs.size(); ++o) {
        const NamedFile& output = outputs[o];
        if (isDevice(output.path)) continue;
        for (size_t i = 0; i < o; ++i)
            if (!isDevice(outputs[i].path) && sameFile(outputs[i].path, output.path))
                return named(outputs[i]) + " and " + named(output) + " are the same file";
        const std::string temporary = OutputFile::temporaryPathFor(output.path);
        for (const NamedFile& other : all)
            if (sameFile(other.path, temporary))
                return named(other) + " is the temporary name of " + named(output) +
                       ", written there until complete";
    }
    return "";
}
