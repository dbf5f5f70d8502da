#include "SurveyTables.h"

#include "ConversionText.h"

#include "core/Error.h"
#include "core/PointStore.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quelmar {

namespace {

bool isNumber(std::string_view text) {
    return parseNumber(text).has_value();
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// The bands of a column in the order they first appear.
std::vector<std::string> bandsIn(const DelimitedTable& table, std::size_t column) {
    std::vector<std::string> bands;
    for (const TableRow& row : table.rows()) {
        const std::string_view band = DelimitedTable::field(row, column);
        if (!band.empty() && std::none_of(bands.begin(), bands.end(),
                                          [&](const std::string& b) { return b == band; }))
            bands.emplace_back(band);
    }
    return bands;
}

struct BandMessages {
    const OwnMessage& none;
    const OwnMessage& several;
    const OwnMessage& missing;
};
const BandMessages AavsoBands{message::NoBandObserved, message::SeveralBands, message::NoSuchBand};
const BandMessages ZtfFilters{message::NoFilterObserved, message::SeveralFilters,
                              message::NoSuchFilter};

// The band asked for as the file spells it; with none asked, the file's only band.
std::string chosenBand(const DelimitedTable& table, const std::vector<std::string>& bands,
                       const std::string& asked, const BandMessages& say) {
    if (bands.empty()) throw QuelmarError(table.path(), say.none);
    if (asked.empty()) {
        if (bands.size() == 1) return bands.front();
        throw QuelmarError(table.path(), {say.several, {joined(bands)}});
    }
    for (const std::string& band : bands)
        if (sameName(band, asked)) return band;
    throw QuelmarError(table.path(), {say.missing, {asked, joined(bands)}});
}

std::string_view valueOrMissing(std::string_view text) {
    return isNumber(text) ? text : "0";
}

// Counts a row left out as unreadable, keeping the line of the first such row.
void leaveOut(long long& count, LeftOutRows& rows, const TableRow& row) {
    ++count;
    if (rows.firstUnreadableLine == 0) rows.firstUnreadableLine = row.line;
}

// The row's values in the columns asked for, the time first; an empty field is a missing value
// (0). Nothing when a value is there but is not a number.
std::optional<std::string> observationLine(const TableRow& row,
                                           const std::vector<std::size_t>& columns) {
    std::string line;
    for (std::size_t c : columns) {
        const std::string_view text = DelimitedTable::field(row, c);
        if (!text.empty() && !isNumber(text)) return std::nullopt;
        if (!line.empty()) line += ' ';
        line += text.empty() ? "0" : text;
    }
    return line;
}

} // namespace

std::vector<std::string> bandsOf(const DelimitedTable& table, SurveyFormat format) {
    const char* name = format == SurveyFormat::AavsoCsv ? "Band"
                       : format == SurveyFormat::ZtfCsv ? "filtercode"
                                                        : nullptr;
    const auto column = name ? table.column(name) : std::nullopt;
    return column ? bandsIn(table, *column) : std::vector<std::string>{};
}

bool isAavsoHeader(const DelimitedTable& table) {
    return table.column("JD") && table.column("Magnitude") && table.column("Band");
}

bool isZtfHeader(const DelimitedTable& table) {
    return table.column("oid") && table.column("mjd") && table.column("mag") &&
           table.column("catflags") && table.column("filtercode");
}

Conversion convertAavso(const DelimitedTable& table, const ConversionOptions& options) {
    const std::size_t jd = table.requireColumn("JD");
    const std::size_t magnitude = table.requireColumn("Magnitude");
    const std::size_t bandColumn = table.requireColumn("Band");
    const auto uncertainty = table.column("Uncertainty");
    const auto observer = table.column("Observer Code");

    Conversion conversion;
    conversion.format = SurveyFormat::AavsoCsv;
    conversion.timeSystem = "JD";
    conversion.columnsWritten = "JD Magnitude Uncertainty";
    conversion.valueColumns = 2;
    conversion.bands = bandsIn(table, bandColumn);
    const std::string band = chosenBand(table, conversion.bands, options.band, AavsoBands);
    conversion.channelNames = valueAndErrorNames(band);
    for (const TableRow& row : table.rows()) {
        const std::string_view date = DelimitedTable::field(row, jd);
        const std::string_view value = DelimitedTable::field(row, magnitude);
        if (DelimitedTable::field(row, bandColumn) != band) {
            ++conversion.leftOut.otherBand;
        } else if (!value.empty() && value.front() == '<') {
            ++conversion.leftOut.fainterThan;
        } else if (!isNumber(date) || !isNumber(value)) {
            leaveOut(conversion.leftOut.notANumber, conversion.leftOut, row);
        } else {
            const std::string_view error =
                uncertainty ? valueOrMissing(DelimitedTable::field(row, *uncertainty)) : "0";
            std::string freeText = band;
            if (observer && !DelimitedTable::field(row, *observer).empty())
                freeText += " " + std::string(DelimitedTable::field(row, *observer));
            appendObservation(conversion, date, {value, error}, freeText);
        }
    }
    return conversion;
}

Conversion convertZtf(const DelimitedTable& table, const ConversionOptions& options) {
    const bool modified = options.time == SurveyTime::ModifiedJulianDate;
    const std::size_t time = table.requireColumn(modified ? "mjd" : "hjd");
    const std::size_t magnitude = table.requireColumn("mag");
    const std::size_t error = table.requireColumn("magerr");
    const std::size_t flags = table.requireColumn("catflags");
    const std::size_t filter = table.requireColumn("filtercode");

    Conversion conversion;
    conversion.format = SurveyFormat::ZtfCsv;
    conversion.timeSystem = modified ? "MJD + 2400000.5" : "HJD";
    conversion.columnsWritten = std::string(modified ? "mjd" : "hjd") + " mag magerr";
    conversion.valueColumns = 2;
    conversion.bands = bandsIn(table, filter);
    const std::string band = chosenBand(table, conversion.bands, options.band, ZtfFilters);
    conversion.channelNames = valueAndErrorNames(band);
    for (const TableRow& row : table.rows()) {
        const std::string_view date = DelimitedTable::field(row, time);
        const std::string_view value = DelimitedTable::field(row, magnitude);
        if (DelimitedTable::field(row, filter) != band) {
            ++conversion.leftOut.otherBand;
        } else if (parseNumber(DelimitedTable::field(row, flags)).value_or(1) != 0) {
            ++conversion.leftOut.flagged;
        } else if (!isNumber(date) || !isNumber(value)) {
            leaveOut(conversion.leftOut.notANumber, conversion.leftOut, row);
        } else {
            const std::string_view magnitudeError =
                valueOrMissing(DelimitedTable::field(row, error));
            if (!modified) {
                appendObservation(conversion, date, {value, magnitudeError}, band);
                continue;
            }
            // The decimals the archive gave, and one more for the half day added.
            const std::size_t point = date.find('.');
            const int decimals = point == std::string_view::npos
                                     ? 1
                                     : std::clamp(int(date.size() - point - 1), 1, 9);
            appendObservation(conversion, fixedForFile(*parseNumber(date) + 2400000.5, decimals),
                              {value, magnitudeError}, band);
        }
    }
    return conversion;
}

Conversion convertHeaderTable(const DelimitedTable& table, const ConversionOptions& options) {
    if (options.columns.size() < 2)
        throw QuelmarError(table.path(), table.headerLine(),
                           {message::TableColumnsToName, {joined(table.header())}});
    std::vector<std::size_t> columns;
    for (const std::string& name : options.columns)
        columns.push_back(table.requireColumn(name));
    // No command could load a file of more.
    if (columns.size() - 1 > static_cast<std::size_t>(MaxChannels))
        throw QuelmarError(table.path(),
                           {message::TableTooManyColumns,
                            {std::to_string(columns.size() - 1), std::to_string(MaxChannels)}});

    Conversion conversion;
    conversion.format = SurveyFormat::HeaderTable;
    conversion.timeSystem = table.header()[columns.front()];
    for (std::size_t c : columns)
        conversion.columnsWritten +=
            (conversion.columnsWritten.empty() ? "" : " ") + table.header()[c];
    conversion.valueColumns = static_cast<int>(columns.size()) - 1;
    for (std::size_t c = 1; c < columns.size(); ++c)
        conversion.channelNames.push_back(table.header()[columns[c]]);
    LeftOutRows& left = conversion.leftOut;
    for (const TableRow& row : table.rows()) {
        // A separator inside a field (an unquoted comma, a blank in a name) shifts the fields
        // after it: the row's values cannot be told from its neighbours'.
        if (row.fields.size() > table.header().size()) {
            leaveOut(left.tooManyFields, left, row);
            continue;
        }
        const std::optional<std::string> line =
            isNumber(DelimitedTable::field(row, columns.front())) ? observationLine(row, columns)
                                                                  : std::nullopt;
        if (line)
            appendObservation(conversion, *line, {});
        else
            leaveOut(left.notANumber, left, row);
    }
    return conversion;
}

} // namespace quelmar
