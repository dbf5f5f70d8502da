#include "PeriodogramWriter.h"

#include "core/Error.h"
#include "core/numbers.h"

#include <cerrno>
#include <cstring>

namespace quelmar {

PeriodogramWriter::PeriodogramWriter(const std::string& path) : path_(path) {
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) fail("cannot create the periodogram file");
}

PeriodogramWriter::~PeriodogramWriter() {
    if (file_) std::fclose(file_);
}

void PeriodogramWriter::fail(const std::string& what) {
    throw QuelmarError(path_, what + " (" + std::strerror(errno) + ")");
}

void PeriodogramWriter::write(const double* frequencies, const double* thetas, int count) {
    text_.clear();
    for (int i = 0; i < count; ++i) {
        const PeriodogramLine line{frequencies[i], thetas[i], 1 / frequencies[i]};
        text_ += fixed(line.frequency, 8);
        text_ += ' ';
        text_ += fixed(line.theta, 8);
        text_ += ' ';
        text_ += fixed(line.period, 8);
        text_ += "\r\n";
        if (!best_ || line.theta < best_->theta) best_ = line;
    }
    if (std::fwrite(text_.data(), 1, text_.size(), file_) != text_.size() ||
        std::fflush(file_) != 0)
        fail("cannot write the periodogram; the lines before this one are kept");
    lines_ += count;
}

void PeriodogramWriter::close() {
    std::FILE* file = file_;
    file_ = nullptr;
    if (file && std::fclose(file) != 0) fail("cannot complete the periodogram file");
}

} // namespace quelmar
