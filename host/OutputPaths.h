#pragma once
// The files one run reads and writes, checked against each other before any
// is written. Portable, so that it is tested natively too.
#include <string>
#include <vector>

// A file and the option that named it ("-o", "--save-chunk", "the input").
struct NamedFile {
    std::string option;
    std::string path;
};

// Two outputs must not name the same file (the later would replace the
// earlier), and no output's temporary name may be a file the run reads or
// writes (creating it would destroy that file). An output may replace an
// input: inputs are read before any output is written. Devices (NUL) take
// any number of outputs. Answers the first clash as one line, or "".
std::string findOutputClash(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs);
