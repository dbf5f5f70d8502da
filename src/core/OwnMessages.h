#pragma once
// Messages of our own that no line of a language file holds: each has an English and a
// Russian text, and the interface shows the one of its language, so an English interface shows
// no Russian and a Russian one no English. Texts are UTF-8; "%1", "%2", … stand for the
// arguments given when the message is shown.
//
// Add a message here, in the section of its command, rather than writing a text in a window.
// Errors raised below the windows carry these too (MessageText, QuelmarError), so the command
// that shows one shows it in the interface's language; the command line shows English.

#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

enum class InterfaceLanguage { English, Russian };

// Russian for the language file "ru", English for every other.
InterfaceLanguage interfaceLanguageOf(std::string_view languageName);

struct OwnMessage {
    std::string_view english;
    std::string_view russian;
};

// The design text of a window's control: the Russian one, shown until a language is applied.
inline std::string_view designText(const OwnMessage& message) {
    return message.russian;
}

// The message in the language with %1 … %9 replaced by the arguments (missing ones by "").
std::string ownText(const OwnMessage& message, InterfaceLanguage language,
                    const std::vector<std::string>& arguments = {});

namespace message {

// Every command: where a failure happened, and failures of no file in particular.
inline constexpr OwnMessage InFile{"%1: %2", "%1: %2"};
inline constexpr OwnMessage AtLine{"%1, line %2: %3", "%1, строка %2: %3"};

// Reading files.
inline constexpr OwnMessage CannotOpen{"cannot open the file (%1)", "не удаётся открыть файл (%1)"};
inline constexpr OwnMessage CannotRead{"cannot read the file (%1)",
                                       "не удаётся прочитать файл (%1)"};
inline constexpr OwnMessage FileShrankWhileRead{
    "became shorter while it was read (another program truncated or rewrote it); nothing was "
    "done with it",
    "стал короче, пока его читали (другая программа обрезала или переписала его); с ним ничего "
    "не сделано"};
inline constexpr OwnMessage IsFolder{"is a folder, not a file", "это папка, а не файл"};
inline constexpr OwnMessage IsNamedPipe{
    "is a named pipe, not a file; only regular files are read",
    "это именованный канал, а не файл; читаются только обычные файлы"};
inline constexpr OwnMessage IsDevice{"is a device, not a file; only regular files are read",
                                     "это устройство, а не файл; читаются только обычные файлы"};
inline constexpr OwnMessage NotRegularFile{"is not a regular file; only regular files are read",
                                           "это не обычный файл; читаются только обычные файлы"};

// Writing and rewriting files.
inline constexpr OwnMessage NotRegularLeftAsIs{"is not a regular file; it is left as it is",
                                               "это не обычный файл; он оставлен как есть"};
inline constexpr OwnMessage ReadOnlyLeftUnchanged{"is read-only; it is left unchanged",
                                                  "файл только для чтения; он не изменён"};
inline constexpr OwnMessage CannotCreateTemporary{
    "cannot create a temporary file beside it (%1); the file is unchanged",
    "не удаётся создать рядом временный файл (%1); файл не изменён"};
inline constexpr OwnMessage CannotWriteUnchanged{
    "cannot write the file (%1); the file is unchanged",
    "не удаётся записать файл (%1); файл не изменён"};
inline constexpr OwnMessage CannotWrite{"cannot write the file (%1)",
                                        "не удаётся записать файл (%1)"};
inline constexpr OwnMessage PartWrittenRemains{"%1; the part written remains",
                                               "%1; записанная часть осталась"};
inline constexpr OwnMessage ReadOnlyNothingAdded{"is read-only; nothing was added",
                                                 "файл только для чтения; ничего не добавлено"};
inline constexpr OwnMessage NotRegularFileToWrite{"is not a regular file", "это не обычный файл"};
inline constexpr OwnMessage FileBusy{
    "is busy: another command is rewriting it; try again when it has finished",
    "занят: его переписывает другая команда; повторите, когда она закончит"};
inline constexpr OwnMessage CannotLock{"cannot be locked for the rewrite (%1)",
                                       "не удаётся заблокировать файл для перезаписи (%1)"};

// A command that would write over a file it reads, or write one file twice (WritePlan), and
// the files' roles those refusals name.
inline constexpr OwnMessage WrittenOverInput{
    "%1 (%2) would be written over the input %3 (%4): they are one file, by name or through a "
    "link; nothing was written",
    "%1 (%2) был бы записан поверх входного файла %3 (%4): это один и тот же файл, по имени "
    "или через ссылку; ничего не записано"};
inline constexpr OwnMessage WrittenTwice{
    "%1 (%2) and %3 (%4) would both be written, and they are one file, by name or through a "
    "link; nothing was written",
    "%1 (%2) и %3 (%4) были бы записаны оба, а это один и тот же файл, по имени или через "
    "ссылку; ничего не записано"};
inline constexpr OwnMessage RoleDataFile{"the data file", "файл данных"};
inline constexpr OwnMessage RoleShownFile{"the file the light curve shows",
                                          "файл, показанный на кривой блеска"};
inline constexpr OwnMessage RoleRangesFile{"the ranges file", "файл диапазонов"};
inline constexpr OwnMessage RolePeriodogram{"the periodogram", "периодограмма"};
inline constexpr OwnMessage RoleSummary{"the summary", "сводка"};
inline constexpr OwnMessage RolePhaseFile{"the phase file", "файл фаз"};
inline constexpr OwnMessage RoleDatesCopy{"the copy of the dates before the correction",
                                          "копия дат до поправки"};
inline constexpr OwnMessage RoleStarCatalogue{"the star catalogue", "каталог звёзд"};
inline constexpr OwnMessage RolePlateCatalogue{"the plate catalogue", "каталог пластинок"};
inline constexpr OwnMessage RoleUnconvertedCopy{"the unconverted copy", "непреобразованная копия"};
inline constexpr OwnMessage RoleEstimates{"the file of estimates", "файл оценок"};
inline constexpr OwnMessage RoleSource{"the source", "исходный файл"};
inline constexpr OwnMessage RoleOutput{"the output", "выходной файл"};
inline constexpr OwnMessage RolePicture{"the picture", "рисунок"};
inline constexpr OwnMessage RoleExtremaFile{"the file of extrema", "файл экстремумов"};
inline constexpr OwnMessage RoleExtremumTimes{"the list of times of extremum",
                                              "список моментов экстремумов"};
inline constexpr OwnMessage RoleOcFile{"the O−C file", "файл O−C"};
inline constexpr OwnMessage RoleSettings{"the settings", "настройки"};
inline constexpr OwnMessage RoleSettingsBackup{"the settings' backup", "резервная копия настроек"};

// Observation files.
inline constexpr OwnMessage TooManyPoints{
    "the file holds more than 1,000,000 observations; at most 1,000,000 can be loaded",
    "в файле больше 1 000 000 наблюдений; загрузить можно не больше 1 000 000"};
inline constexpr OwnMessage TooManyChannels{
    "the first observation line has %1 value columns; at most %2 can be loaded",
    "в первой строке наблюдений %1 столбцов значений; загрузить можно не больше %2"};
inline constexpr OwnMessage UnreadableValue{"line %1: value %2 %3", "строка %1: значение %2 %3"};
inline constexpr OwnMessage ValueAtLine{"value %1 %2", "значение %1 %2"};
inline constexpr OwnMessage ValueHoldsNul{"holds a NUL byte and cannot be read",
                                          "содержит нулевой байт и не может быть прочитано"};
inline constexpr OwnMessage ValueTooLong{
    "is longer than %1 characters and cannot be read as a number",
    "длиннее %1 символов и не может быть прочитано как число"};
inline constexpr OwnMessage LineWithoutDate{
    "the line does not begin with a date (\"%1\"); an observation line begins with a number",
    "строка не начинается с даты («%1»); строка наблюдения начинается с числа"};

// Plate numbers to Julian dates.
inline constexpr OwnMessage NoPlateListed{"the plate catalogue lists no plate",
                                          "в каталоге пластинок нет ни одной пластинки"};
inline constexpr OwnMessage NoPlateConverted{
    "none of its plate numbers is listed in the catalogue %1; the file is unchanged",
    "ни один из его номеров пластинок не найден в каталоге %1; файл не изменён"};

// Calendar dates to Julian dates.
inline constexpr OwnMessage YearNotWhole{"the year %1 is not a whole number",
                                         "год %1 — не целое число"};
inline constexpr OwnMessage MonthOutOfRange{"the month %1 is not a whole number from 1 to 12",
                                            "месяц %1 — не целое число от 1 до 12"};
inline constexpr OwnMessage DayOutOfRange{
    "the day %1 is not a day of the month: it must be at least 1 and less than %2",
    "день %1 — не день месяца: он должен быть не меньше 1 и меньше %2"};
inline constexpr OwnMessage HourOutOfRange{
    "the hour %1 is not an hour of the day: it must be at least 0 and less than 24",
    "час %1 — не час суток: он должен быть не меньше 0 и меньше 24"};
inline constexpr OwnMessage MinuteOutOfRange{"the minute %1 must be at least 0 and less than 60",
                                             "число минут %1 должно быть не меньше 0 и меньше 60"};

// The message boxes' buttons.
inline constexpr OwnMessage YesButton{"&Yes", "&Да"};
inline constexpr OwnMessage NoButton{"&No", "&Нет"};
inline constexpr OwnMessage OkButton{"OK", "OK"};
inline constexpr OwnMessage CancelButton{"Cancel", "Отмена"};

// Start-up: the language file of the settings is missing.
inline constexpr OwnMessage MissingLanguageCaption{"Error", "Ошибка"};
inline constexpr OwnMessage MissingLanguage{
    "Current language file not found. Select the current language in the Settings or, if the "
    "program is started from a shortcut, give the program's folder as the working folder in the "
    "shortcut's properties.",
    "Файл текущего языка не найден. Измените текущий язык либо, если программа запущена с "
    "ярлыка, укажите в свойствах ярлыка рабочую папку программы."};

// Texts of the windows that no line of a language file holds, set with the language.
inline constexpr OwnMessage CurveCaption{"Light curve", "Кривая блеска"};
inline constexpr OwnMessage CurvePictureHint{"Light curve of the file's data",
                                             "Кривая блеска по данным файла"};
inline constexpr OwnMessage MaximumHint{"Maximum value of Y", "Максимальное значение Y"};
inline constexpr OwnMessage MinimumHint{"Minimum value of Y", "Минимальное значение Y"};
inline constexpr OwnMessage BackHint{"Back", "Назад"};
inline constexpr OwnMessage ForwardHint{"Forward", "Вперед"};
inline constexpr OwnMessage StepLabel{"Step :", "Шаг :"};
inline constexpr OwnMessage MethodLabel{"Method:", "Метод:"};
inline constexpr OwnMessage MethodLaflerKinman{"Lafler–Kinman (Θ, minima)",
                                               "Лафлера–Кинмана (Θ, минимумы)"};
inline constexpr OwnMessage MethodLombScargle{"Generalised Lomb–Scargle (power, maxima)",
                                              "обобщённый Ломба–Скаргла (мощность, максимумы)"};
inline constexpr OwnMessage MethodBoxSearch{
    "Box search for transits (power, maxima)",
    "поиск транзитов прямоугольником (мощность, максимумы)"};
inline constexpr OwnMessage MethodPhaseDispersion{"Phase dispersion (θ, minima)",
                                                  "дисперсия фаз (θ, минимумы)"};
inline constexpr OwnMessage EveryChannel{"All", "Все"};
inline constexpr OwnMessage NoChannel{"None", "Ничего"};
inline constexpr OwnMessage PixelUnit{"pix", "пикс"};
inline constexpr OwnMessage LanguageButton{"Language...", "Язык..."};
inline constexpr OwnMessage Developers{"© 2003–2025, the Quelmar developers",
                                       "© 2003–2025, разработчики Quelmar"};
inline constexpr OwnMessage ManualInitialText{"File not found :-(", "Файл не найден :-("};
inline constexpr OwnMessage CuriosityCaption{"KERNEL32 ERROR", "KERNEL32 ERROR"};
inline constexpr OwnMessage Curiosity{"Curiosity killed the cat\n(a proverb)",
                                      "Любопытной Варваре нос оторвали\n(русская пословица)"};

// The settings' language choice.
inline constexpr OwnMessage LanguageFilter{"Language files (*.lng)|*.lng",
                                           "Языковые файлы (*.lng)|*.lng"};
inline constexpr OwnMessage NotALanguageFile{
    "%1 is not a language file of the program: its name's first two letters with \".lng\" "
    "must name a file in the working folder or beside the program. The language is unchanged.",
    "%1 — не языковой файл программы: первые две буквы его имени с «.lng» должны называть "
    "файл в рабочей папке или рядом с программой. Язык не изменён."};

// The light curve and its control panel.
inline constexpr OwnMessage PointOfPoints{"No. %1 of %2", "№%1 из %2"};
inline constexpr OwnMessage ChannelCaption{"%1 channel", "%1 канал"};
inline constexpr OwnMessage ChannelItem{"%1channel", "%1канал"};
inline constexpr OwnMessage SkippedLines{
    "%1:\n%2 line(s) hold no observation and were skipped; the first is line %3.",
    "%1:\nстрок без наблюдений: %2, они пропущены; первая из них — строка %3."};
inline constexpr OwnMessage NotAnInteger{"'%1' is not a valid integer value",
                                         "«%1» — не целое число"};
inline constexpr OwnMessage NotSmoothed{
    "Point %1 was not smoothed: smoothing needs two points on each side of it.",
    "Точка %1 не сглажена: для сглаживания нужны две точки с каждой стороны от неё."};
inline constexpr OwnMessage DeleteCaption{"Deleting", "Удаление"};
inline constexpr OwnMessage DeleteQuestion{"Ok to delete №%1?", "Удалить №%1?"};
inline constexpr OwnMessage NothingToSave{"No light curve is shown: there are no points to save.",
                                          "Кривая блеска не показана: сохранять нечего."};
inline constexpr OwnMessage SaveCaption{"Saving", "Сохранение"};
inline constexpr OwnMessage SaveDialogTitle{"Save", "Сохранить"};
inline constexpr OwnMessage ReplaceQuestion{"Do you really want to replace the file %1",
                                            "Вы дейстаительно хотите заменить файл %1"};
inline constexpr OwnMessage DiscardEditsQuestion{
    "The light curve %1 has deleted or smoothed points that are not saved; they are lost when "
    "the curve is read from a file again. Go on without saving them?",
    "В кривой блеска %1 есть удалённые или сглаженные точки, которые не сохранены; они "
    "пропадут, когда кривая будет прочитана из файла заново. Продолжить без сохранения?"};

// Opening files.
inline constexpr OwnMessage FileReadError{"File read error!", "Ошибка чтения файла!"};
inline constexpr OwnMessage CannotOpenFile{"Can`t open file.", "Не удаётся открыть файл."};

// Programs started from the main window.
inline constexpr OwnMessage EditorNotStarted{
    "The text editor could not be started:\n%1\nChoose the editor in the settings.",
    "Не удалось запустить текстовый редактор:\n%1\nВыберите редактор в настройках."};
inline constexpr OwnMessage CalculatorNotStarted{"The calculator could not be started: %1",
                                                 "Не удалось запустить калькулятор: %1"};
inline constexpr OwnMessage NoCalculator{"No calculator program was found. Looked for: %1.",
                                         "Не найдена программа-калькулятор. Искали: %1."};

// Period search.
inline constexpr OwnMessage StopScanQuestion{
    "Stop the period search? You may then keep the frequencies already computed.",
    "Остановить поиск периода? Уже рассчитанные частоты можно будет сохранить."};
inline constexpr OwnMessage KeepPartialPeriodogram{
    "The period search was stopped. Keep the partial periodogram (%1 of %2 frequencies) in "
    "%3?\n\nNo: the file is left as it was.",
    "Поиск периода остановлен. Сохранить неполную периодограмму (%1 из %2 частот) в "
    "%3?\n\nНет: файл останется как был."};
inline constexpr OwnMessage PartialPeriodogramKept{
    "The partial periodogram, %1 lines, was written to %2.",
    "Неполная периодограмма, %1 строк, записана в %2."};
inline constexpr OwnMessage PeriodogramLeftAsItWas{
    "The periodogram of the stopped search was not written; %1 is left as it was.",
    "Периодограмма остановленного поиска не записана; %1 остался как был."};
inline constexpr OwnMessage NoPeriodogramWritten{
    "The periodogram of the stopped search was not written; there is no file %1.",
    "Периодограмма остановленного поиска не записана; файла %1 нет."};
inline constexpr OwnMessage LongPeriodogram{
    "The periodogram will have %1 lines, more than the %2 that the light curve can show, so "
    "Graph, Open will refuse it. Compute it all the same?\n\nNo: back to the dialog to change "
    "the range or the step.",
    "В периодограмме будет %1 строк, больше %2, которые может показать кривая блеска, и "
    "График, Открыть её не откроет. Всё равно рассчитать?\n\nНет: вернуться в диалог и "
    "изменить диапазон или шаг."};
inline constexpr OwnMessage LargeScan{
    "The scan would take %1 trial frequencies, more than %2, and may run for a very long time. "
    "Start it?",
    "Расчёт займёт %1 пробных частот, больше %2, и может идти очень долго. Начать?"};
inline constexpr OwnMessage ObservationsBeyondLimit{
    "%1: only the first %2 observations are analysed; %3 more are left out.",
    "%1: анализируются только первые %2 наблюдений; ещё %3 не учтены."};
inline constexpr OwnMessage MissingValuesLeftOut{
    "%1: observations without a value in column %2: %3. They are left out of the search.",
    "%1: наблюдений без значения в столбце %2: %3. В расчёт они не включены."};
// The settings of a scan: its fields are named in the refusals.
inline constexpr OwnMessage ShortestPeriod{"shortest period", "наименьший период"};
inline constexpr OwnMessage LongestPeriod{"longest period", "наибольший период"};
inline constexpr OwnMessage PeriodStep{"step", "шаг"};
inline constexpr OwnMessage ScanSettingMissing{"the %1 is missing", "%1 не задан"};
inline constexpr OwnMessage ScanSettingNotANumber{"the %1 \"%2\" is not a number",
                                                  "%1 «%2» — не число"};
inline constexpr OwnMessage ScanSettingNotPositive{"the %1 must be a positive number, not %2",
                                                   "%1 должен быть положительным числом, а не %2"};
inline constexpr OwnMessage ScanColumnNotWhole{"the column \"%1\" is not a whole number",
                                               "номер столбца «%1» — не целое число"};
inline constexpr OwnMessage ScanColumnBelowOne{"the column must be 1 or more, not %1",
                                               "номер столбца должен быть не меньше 1, а не %1"};
inline constexpr OwnMessage ShortestPeriodTooShort{
    "the shortest period, %1 days, is too short to fold a time span of %2 days",
    "наименьший период, %1 сут., слишком мал для свёртки интервала времени в %2 сут."};
inline constexpr OwnMessage ScanStepTooSmall{
    "the step %1 is too small for periods down to %2 days over a time span of %3 days: the "
    "trial frequencies would not advance",
    "шаг %1 слишком мал для периодов вплоть до %2 сут. на интервале времени в %3 сут.: "
    "пробные частоты не будут расти"};
// The data file's column before a scan.
inline constexpr OwnMessage ColumnNotValueColumn{
    "column %1 is not a value column; they are numbered from 1",
    "столбец %1 — не столбец значений: они нумеруются с 1"};
inline constexpr OwnMessage ColumnAbsent{"column %1 does not exist; the file has %2 value columns",
                                         "столбца %1 нет: столбцов значений в файле — %2"};
inline constexpr OwnMessage NoObservations{"the file holds no observations",
                                           "в файле нет наблюдений"};
inline constexpr OwnMessage NoValueAfterDate{
    "the first observation line holds no value after the date",
    "в первой строке наблюдений после даты нет значения"};
inline constexpr OwnMessage ColumnWithoutValues{
    "column %1 holds no value: it is missing (0) on every observation line",
    "в столбце %1 нет ни одного значения: во всех строках наблюдений оно пропущено (0)"};
inline constexpr OwnMessage OneValueInColumn{
    "only one observation has a value in column %1; a period search needs two or more",
    "значение в столбце %1 есть только у одного наблюдения; для поиска периода нужно не меньше "
    "двух"};
inline constexpr OwnMessage OneObservation{
    "the file holds one observation; a period search needs two or more",
    "в файле одно наблюдение; для поиска периода нужно не меньше двух"};
inline constexpr OwnMessage SameDates{
    "all observations have the same date; there is no time span to fold",
    "у всех наблюдений одна и та же дата: нет интервала времени для свёртки"};
inline constexpr OwnMessage DatesSpanTooLong{"the dates span more than a number can hold",
                                             "интервал дат больше, чем может вместить число"};
inline constexpr OwnMessage ValuesAllEqual{
    "all values of column %1 are equal; the dispersion statistic is undefined",
    "все значения в столбце %1 равны; статистика дисперсии не определена"};
inline constexpr OwnMessage ValuesTooClose{
    "the values of column %1 are too close to each other for the dispersion statistic",
    "значения в столбце %1 слишком близки друг к другу для статистики дисперсии"};
// The scan and its periodogram file.
inline constexpr OwnMessage ScanCopiesOutOfMemory{
    "not enough memory for a copy of %1 points on every worker thread; try fewer threads",
    "не хватает памяти, чтобы каждый рабочий поток держал свою копию точек (%1); попробуйте "
    "меньше потоков"};
inline constexpr OwnMessage PeriodogramNotCreated{"cannot create the periodogram file (%1)",
                                                  "не удаётся создать файл периодограммы (%1)"};
inline constexpr OwnMessage PeriodogramNotWritten{
    "cannot write the periodogram; the lines before this one are kept (%1)",
    "не удаётся записать периодограмму; уже записанные строки сохранены (%1)"};
inline constexpr OwnMessage PeriodogramNotCompleted{"cannot complete the periodogram file (%1)",
                                                    "не удаётся завершить файл периодограммы (%1)"};
inline constexpr OwnMessage ScanTooLarge{"the scan would take %1 trial frequencies, more than %2",
                                         "расчёт занял бы %1 пробных частот, больше %2"};
inline constexpr OwnMessage ScanWroteNoLine{"the scan wrote no line",
                                            "расчёт не записал ни одной строки"};
// The methods beside Lafler–Kinman and what they are given.
inline constexpr OwnMessage UnknownPeriodMethod{"the method \"%1\" is not one of lk, gls, bls, pdm",
                                                "метод «%1» — не один из lk, gls, bls, pdm"};
inline constexpr OwnMessage HarmonicsOutOfRange{"the harmonics must be 1 to 6, not %1",
                                                "число гармоник должно быть от 1 до 6, а не %1"};
inline constexpr OwnMessage DurationNotPositive{
    "the duration %1 must be a positive number of days",
    "длительность %1 должна быть положительным числом суток"};
inline constexpr OwnMessage DurationNotShorter{
    "the duration %1 days is not shorter than the shortest period, %2 days",
    "длительность %1 сут. не меньше наименьшего периода, %2 сут."};
inline constexpr OwnMessage CoversBelowOne{"the covers must be 1 or more, not %1",
                                           "число покрытий должно быть не меньше 1, а не %1"};
inline constexpr OwnMessage TooFewPointsPerBin{
    "%1 observations in %2 phase bins are fewer than 3 per bin; give fewer bins",
    "%1 наблюдений на %2 фазовых интервалов — меньше 3 на интервал; задайте меньше интервалов"};
inline constexpr OwnMessage ErrorNotPositive{
    "the error in column %1 is %2; only a positive error can weigh an observation",
    "ошибка в столбце %1 равна %2; вес наблюдению может дать только положительная ошибка"};
inline constexpr OwnMessage TooManyPermutations{"%1 permutations are more than 100,000",
                                                "%1 перестановок — больше 100 000"};
inline constexpr OwnMessage PermutationsNotWhole{
    "the permutations \"%1\" are not a whole number of 1 or more",
    "число перестановок «%1» — не целое число не меньше 1"};

// Survey light curves read into observation files: what is wrong with a source.
inline constexpr OwnMessage TableEmpty{"the file is empty", "файл пуст"};
inline constexpr OwnMessage TableWithoutHeader{
    "there is no header line naming the columns before line %1",
    "перед строкой %1 нет строки заголовка с названиями столбцов"};
inline constexpr OwnMessage TableColumnMissing{"has no column \"%1\"; its header names %2",
                                               "нет столбца «%1»; в заголовке: %2"};
inline constexpr OwnMessage TableColumnsToName{
    "name the time column and at least one value column of its header (%1)",
    "укажите столбец времени и хотя бы один столбец значений из заголовка (%1)"};
inline constexpr OwnMessage CfitsioMissing{
    "FITS files are read through cfitsio, which cannot be loaded (%1); install it (Debian: "
    "libcfitsio10)",
    "FITS-файлы читаются через cfitsio, а её не удаётся загрузить (%1); установите её (Debian: "
    "libcfitsio10)"};
inline constexpr OwnMessage FitsUnreadable{"it is not a FITS file that can be read (%1)",
                                           "это не FITS-файл, который можно прочесть (%1)"};
inline constexpr OwnMessage FitsNoLightCurve{"it holds no LIGHTCURVE table (%1)",
                                             "в нём нет таблицы LIGHTCURVE (%1)"};
inline constexpr OwnMessage FitsDamaged{
    "a header is damaged or the file is cut short before the LIGHTCURVE table (%1)",
    "заголовок повреждён или файл обрезан до таблицы LIGHTCURVE (%1)"};
inline constexpr OwnMessage FitsTableBeyondFile{
    "the LIGHTCURVE header gives %1 rows of %2 bytes, more than the file of %3 bytes holds: "
    "the header is damaged or the file is cut short",
    "в заголовке LIGHTCURVE указано %1 строк по %2 байт, больше, чем вмещает файл в %3 байт: "
    "заголовок повреждён или файл обрезан"};
inline constexpr OwnMessage FitsNoKeyword{
    "the LIGHTCURVE table has no keyword %1, so its times cannot be made full Julian dates",
    "в таблице LIGHTCURVE нет ключа %1, и её время нельзя перевести в полные юлианские даты"};
inline constexpr OwnMessage FitsKeywordUnreadable{"its keyword %1 cannot be read (%2)",
                                                  "ключ %1 не читается (%2)"};
inline constexpr OwnMessage FitsTableUnreadable{"the LIGHTCURVE table cannot be read (%1)",
                                                "таблица LIGHTCURVE не читается (%1)"};
inline constexpr OwnMessage FitsNoColumn{"the LIGHTCURVE table has no column %1",
                                         "в таблице LIGHTCURVE нет столбца %1"};
inline constexpr OwnMessage FitsColumnUnreadable{
    "its column %1 cannot be read; the file may be cut short (%2)",
    "столбец %1 не читается; возможно, файл обрезан (%2)"};
inline constexpr OwnMessage NoBandObserved{"holds no observation with a band",
                                           "нет ни одного наблюдения с полосой"};
inline constexpr OwnMessage NoFilterObserved{"holds no observation with a filter",
                                             "нет ни одного наблюдения с фильтром"};
inline constexpr OwnMessage SeveralBands{
    "holds observations in several bands (%1); choose one",
    "есть наблюдения в нескольких полосах (%1); выберите одну"};
inline constexpr OwnMessage SeveralFilters{
    "holds observations in several filters (%1); choose one",
    "есть наблюдения в нескольких фильтрах (%1); выберите один"};
inline constexpr OwnMessage NoSuchBand{"has no observation in the band \"%1\"; it holds %2",
                                       "нет наблюдений в полосе «%1»; есть полосы: %2"};
inline constexpr OwnMessage NoSuchFilter{"has no observation in the filter \"%1\"; it holds %2",
                                         "нет наблюдений в фильтре «%1»; есть фильтры: %2"};
inline constexpr OwnMessage FitsHasNoColumnNames{
    "is a FITS file; column names choose columns of text tables only",
    "это FITS-файл; названия столбцов выбирают столбцы только текстовых таблиц"};
inline constexpr OwnMessage AlreadyObservations{
    "is an observation file already; name the columns to take from its header to convert it "
    "all the same",
    "это уже файл наблюдений; чтобы всё же преобразовать его, укажите столбцы из заголовка"};
// The entry of File "Open" for the survey light curves it converts.
inline constexpr OwnMessage SurveyFilesFilter{"Survey light curves", "Кривые блеска обзоров"};
inline constexpr OwnMessage NothingLeftToWrite{
    "no observation is left to write: %1 flagged, %2 without a number, %3 with a flux of zero or "
    "below, %4 fainter-than estimates, %5 in other bands, %6 with more fields than the header",
    "не осталось наблюдений для записи: с флагами — %1, без числа — %2, с потоком не "
    "больше нуля — %3, оценки «слабее» — %4, в других полосах — %5, с полями сверх заголовка — %6"};
inline constexpr OwnMessage TableTooManyColumns{
    "%1 value columns are asked for; an observation file holds at most %2",
    "запрошено столбцов значений: %1; в файле наблюдений их может быть не больше %2"};

// Survey light curves converted on opening.
inline constexpr OwnMessage ConversionTitle{"Convert a survey light curve",
                                            "Преобразование кривой блеска обзора"};
inline constexpr OwnMessage ConversionIntro{
    "%1 is %2. The workbench works on observation files (a time, values and free text on each "
    "line): it can write one beside this file and open it.",
    "%1 — %2. Программа работает с файлами наблюдений (время, значения и текст в каждой "
    "строке): она может записать такой файл рядом с этим и открыть его."};
inline constexpr OwnMessage FormatFits{"a TESS or Kepler light-curve FITS file",
                                       "FITS-файл кривой блеска TESS или Kepler"};
inline constexpr OwnMessage FormatAavso{"an AAVSO data download (CSV)",
                                        "выгрузка данных AAVSO (CSV)"};
inline constexpr OwnMessage FormatZtf{"a ZTF light curve (CSV)", "кривая блеска ZTF (CSV)"};
inline constexpr OwnMessage FormatTable{"a table with a header line",
                                        "таблица со строкой заголовка"};
inline constexpr OwnMessage ConversionBand{"Band:", "Полоса:"};
inline constexpr OwnMessage ConversionFilter{"Filter:", "Фильтр:"};
inline constexpr OwnMessage ConversionFlux{"Flux:", "Поток:"};
inline constexpr OwnMessage ConversionMagnitudes{"Magnitudes, zero point:",
                                                 "Звёздные величины, нуль-пункт:"};
inline constexpr OwnMessage ConversionZeroPointHint{"empty: the median flux is magnitude 0",
                                                    "пусто: медианный поток — величина 0"};
inline constexpr OwnMessage ConversionTime{"Time:", "Время:"};
inline constexpr OwnMessage ConversionColumns{"Columns, the time first, separated by commas:",
                                              "Столбцы через запятую, первым — время:"};
inline constexpr OwnMessage ConversionHeader{"The header names: %1", "В заголовке: %1"};
inline constexpr OwnMessage ConversionOutput{"Write to:", "Записать в:"};
inline constexpr OwnMessage ConversionConvert{"Convert and open", "Преобразовать и открыть"};
inline constexpr OwnMessage ConversionCancel{"Cancel", "Отмена"};
inline constexpr OwnMessage ConversionBadZeroPoint{"The zero point \"%1\" is not a number.",
                                                   "Нуль-пункт «%1» — не число."};
inline constexpr OwnMessage ConversionReplace{"%1 exists. Replace it?",
                                              "Файл %1 уже есть. Заменить его?"};
// After a conversion that left rows out; %3 lists the counts that apply, joined by commas.
inline constexpr OwnMessage ConversionLeftOut{
    "%1 observations written to %2. Left out: %3.",
    "Записано наблюдений: %1, в файл %2. Не включены: %3."};
inline constexpr OwnMessage LeftOutFlagged{"%1 flagged", "с флагами — %1"};
inline constexpr OwnMessage LeftOutNotANumber{"%1 without a number", "без числа — %1"};
inline constexpr OwnMessage LeftOutNotPositive{"%1 with a flux of zero or below",
                                               "с потоком не больше нуля — %1"};
inline constexpr OwnMessage LeftOutFainterThan{"%1 fainter-than estimates", "оценки «слабее» — %1"};
inline constexpr OwnMessage LeftOutOtherBand{"%1 in other bands", "в других полосах — %1"};
inline constexpr OwnMessage LeftOutTooManyFields{"%1 with more fields than the header",
                                                 "с полями сверх заголовка — %1"};
inline constexpr OwnMessage ConversionFirstUnreadable{
    "The first row without a number or with more fields than the header is line %1.",
    "Первая строка без числа или с полями сверх заголовка — строка %1."};

// Failures of any command, shown by the command boundary.
inline constexpr OwnMessage OutOfMemory{"There is not enough memory to finish the command.",
                                        "Недостаточно памяти, чтобы завершить команду."};
inline constexpr OwnMessage OutOfMemoryWithFile{
    "%1: there is not enough memory to finish the command.",
    "%1: недостаточно памяти, чтобы завершить команду."};
inline constexpr OwnMessage CommandFailed{"The command failed: %1", "Команда не выполнена: %1"};
inline constexpr OwnMessage CommandFailedWithFile{"%1: the command failed: %2",
                                                  "%1: команда не выполнена: %2"};

// Settings.
inline constexpr OwnMessage PathOutsideCodePage{
    "The path \"%1\" holds characters that the settings file cannot keep (it is written in the "
    "Cyrillic code page cp1251). It is not saved; the previous path \"%2\" is kept.",
    "Путь «%1» содержит символы, которые файл настроек сохранить не может (он записывается в "
    "кодировке cp1251). Путь не сохранён; оставлен прежний: «%2»."};
inline constexpr OwnMessage PathWithLineBreak{
    "The path \"%1\" holds a line break, which the settings file cannot keep (it holds one "
    "setting a line). It is not saved; the previous path \"%2\" is kept.",
    "Путь «%1» содержит перевод строки, который файл настроек сохранить не может (в нём по "
    "одной настройке в строке). Путь не сохранён; оставлен прежний: «%2»."};
inline constexpr OwnMessage BarycentricTdbDefault{
    "Barycentric correction to BJD_TDB (ERFA) by default",
    "Барицентрическая поправка по умолчанию в BJD_TDB (ERFA)"};
inline constexpr OwnMessage MissingValueLabel{"Missing value in data files:",
                                              "Пропуск значения в файлах данных:"};
// The field takes either word for "no marker" in any interface and shows the interface's.
inline constexpr OwnMessage NoMissingMarker{"none", "нет"};
inline constexpr OwnMessage MissingValueHint{
    "The number that stands for a value not observed (0 in most observers' files), or \"none\" "
    "when 0 is a real value (colour indices, residuals, fluxes). Takes effect at the next "
    "opening or refresh of a file.",
    "Число, которое обозначает ненаблюдённое значение (0 в большинстве файлов наблюдателей), "
    "или «нет», если 0 — настоящее значение (показатели цвета, остатки, потоки). Действует "
    "со следующего открытия или обновления файла."};
inline constexpr OwnMessage MissingValueNotRead{
    "\"%1\" is neither a number nor \"none\", so it cannot mark a missing value. It is not "
    "saved; the previous marker \"%2\" is kept.",
    "«%1» — не число и не «нет» и не может обозначать пропуск значения. Не сохранено; оставлено "
    "прежнее: «%2»."};

// Extrema by polynomial fit, their results window and the ranges.
// A count of terms. The Russian noun agrees with the number: 1, 21 … член; 2–4, 22–24 …
// члена; the others членов; after "из" one takes члена and the others членов.
inline constexpr OwnMessage TermCountOne{"%1 term", "%1 член"};
inline constexpr OwnMessage TermCountFew{"%1 terms", "%1 члена"};
inline constexpr OwnMessage TermCountMany{"%1 terms", "%1 членов"};
inline constexpr OwnMessage TermCountOfOne{"%1 term", "%1 члена"};
inline constexpr OwnMessage TermCountOfMany{"%1 terms", "%1 членов"};
inline constexpr OwnMessage ExtremaSingular{"%1: the normal equations have no unique solution",
                                            "%1: у нормальных уравнений нет единственного решения"};
inline constexpr OwnMessage ExtremaNotSettled{
    " (no stationary point: Newton's method did not settle in %1 steps)",
    " (нет стационарной точки: метод Ньютона не сошёлся за %1 шагов)"};
inline constexpr OwnMessage ExtremaLeftRange{" (the stationary point lies outside the range)",
                                             " (стационарная точка вне диапазона)"};
inline constexpr OwnMessage ExtremaNoTimeSpan{
    "Channel %1: the first and last times of points %2 ... %3 are equal; no polynomial can be "
    "fitted.",
    "Канал %1: первая и последняя даты точек %2 ... %3 совпадают; полином построить нельзя."};
inline constexpr OwnMessage ExtremaTooFewPoints{
    "Channel %1: a polynomial of %2 needs at least %3 points with a value; points %4 ... %5 "
    "have %6.",
    "Канал %1: для полинома из %2 нужно не меньше %3 точек со значением; в точках %4 ... %5 "
    "их %6."};
// "Maximum accuracy": the term count the next fits start from.
inline constexpr OwnMessage BestTermCountChosen{
    "Best term count: %1 (smallest moment error)",
    "Лучшее число членов: %1 (наименьшая ошибка момента)"};
// Under the results of the polynomial fits: the channel and the file they were fitted to.
inline constexpr OwnMessage ExtremaOfChannel{"Channel %1 of %2", "Канал %1, файл %2"};
inline constexpr OwnMessage ExtremaLeftOut{
    "Channel %1: points with a missing value left out of the fit: %2",
    "Канал %1: точек без значения (нет данных) не учтено: %2"};
inline constexpr OwnMessage ExtremaNotSaved{"The results could not be saved.\n%1",
                                            "Не удалось сохранить результаты.\n%1"};
inline constexpr OwnMessage ExtremaEmptyListQuestion{
    "The list of results is empty: saving all of it empties %1, which holds results saved "
    "earlier. Empty the file?",
    "Список результатов пуст: сохранение всего списка очистит файл %1, в котором есть "
    "сохранённые ранее результаты. Очистить файл?"};
inline constexpr OwnMessage PreviousRange{"Previous range", "Предыдущий диапазон"};
inline constexpr OwnMessage NextRange{"Next range", "Следующий диапазон"};
inline constexpr OwnMessage Ranges{"Ranges", "Диапазоны"};
inline constexpr OwnMessage RangesNotRead{"The ranges file could not be read.\n%1",
                                          "Не удалось прочитать файл диапазонов.\n%1"};
inline constexpr OwnMessage RangesNotWholeNumber{"\"%1\" is not a whole point number",
                                                 "«%1» — не целый номер точки"};
inline constexpr OwnMessage RangesNotNumber{"\"%1\" is not a number", "«%1» — не число"};
inline constexpr OwnMessage RangesFourNumbers{
    "expected four numbers: first point, time, last point, time",
    "ожидались четыре числа: первая точка, дата, последняя точка, дата"};
inline constexpr OwnMessage RangesTooManyLines{
    "lists more than %1 ranges; a ranges file holds at most that many",
    "содержит больше %1 диапазонов; в файле диапазонов их может быть не больше"};
// Times of minima by Kwee–van Woerden and the symmetric polynomial, and the O−C diagram.
inline constexpr OwnMessage TimingTooFewPoints{
    "the %1 timing needs at least %2 points with a value; the range has %3",
    "для определения момента методом «%1» нужно не меньше %2 точек со значением; в диапазоне их "
    "%3"};
inline constexpr OwnMessage TimingReflectionRunsOut{
    "no minimum inside the range: the reflection about %1 runs out of the range",
    "внутри диапазона нет минимума: отражение относительно %1 выходит за диапазон"};
inline constexpr OwnMessage TimingNoMinimum{"the curve has no minimum inside the range",
                                            "у кривой нет минимума внутри диапазона"};
inline constexpr OwnMessage TimingNotSettled{"the timing did not settle in %1 steps",
                                             "момент не установился за %1 шагов"};
inline constexpr OwnMessage TimingInRange{"points %1 ... %2, channel %3: %4",
                                          "точки %1 ... %2, канал %3: %4"};
inline constexpr OwnMessage MethodPolynomial{"polynomial, %1", "полином, %1"};
inline constexpr OwnMessage MethodKweeVanWoerden{"Kwee–van Woerden", "Кви – ван Верден"};
inline constexpr OwnMessage MethodSymmetric{"symmetric polynomial, %1", "симметричный полином, %1"};
inline constexpr OwnMessage OcPeriodNotPositive{"the period %1 is not above 0",
                                                "период %1 не больше 0"};
inline constexpr OwnMessage OcNoTime{"\"%1\" is not a time", "«%1» — не момент времени"};
inline constexpr OwnMessage OcNoError{"\"%1\" in column %2 is not an error above 0",
                                      "«%1» в столбце %2 — не погрешность больше 0"};
inline constexpr OwnMessage OcSameCycle{
    "cycle %1 already has a time on line %2, %3 d away: two extrema in one cycle",
    "у цикла %1 уже есть момент в строке %2, в %3 сут от этого: два экстремума в одном цикле"};
inline constexpr OwnMessage OcCycleSlip{
    "the ephemeris puts this time more than half a period (%1 d) off the time before it "
    "(line %2): the cycles cannot be counted; give a closer epoch and period",
    "эфемерида сдвигает этот момент больше чем на полпериода (%1 сут) относительно "
    "предыдущего (строка %2): циклы не сосчитать; задайте более точные эпоху и период"};
inline constexpr OwnMessage OcNoTimes{"holds no times of extremum",
                                      "не содержит моментов экстремумов"};
inline constexpr OwnMessage OcTooFewForFit{
    "the %1 ephemeris needs at least %2 times; the list has %3",
    "эфемерида (%1): нужно не меньше %2 моментов; в списке их %3"};
inline constexpr OwnMessage OcLinear{"linear", "линейная"};
inline constexpr OwnMessage OcQuadratic{"quadratic", "квадратичная"};
inline constexpr OwnMessage OcSingular{"the times do not determine the %1 ephemeris",
                                       "эфемерида (%1): моменты её не определяют"};
// The O−C window: its menu item and caption, its controls and its results.
inline constexpr OwnMessage OcCaption{"O−C diagram", "Диаграмма O−C"};
inline constexpr OwnMessage OcListLabel{"List of times:", "Список моментов:"};
inline constexpr OwnMessage OcListHint{
    "extrema.txt, or an observation file whose first column is the time",
    "extrema.txt или файл наблюдений, первый столбец которого — момент"};
inline constexpr OwnMessage OcEpochLabel{"Epoch:", "Эпоха:"};
inline constexpr OwnMessage OcPeriodLabel{"Period:", "Период:"};
inline constexpr OwnMessage OcFitLabel{"Fit:", "Подгонка:"};
inline constexpr OwnMessage OcNoFit{"none", "нет"};
inline constexpr OwnMessage OcCompute{"Compute", "Вычислить"};
inline constexpr OwnMessage OcResultFile{"O−C file: %1", "Файл O−C: %1"};
inline constexpr OwnMessage OcResultPoints{"Points: %1", "Точек: %1"};
inline constexpr OwnMessage OcResultLeftOut{
    "Lines left out, their time or error missing: %1 (the first is line %2)",
    "Пропущено строк без момента или погрешности: %1 (первая — строка %2)"};
inline constexpr OwnMessage OcResultLinear{"Linear ephemeris: T = %1 ± %2 + %3 ± %4 · E",
                                           "Линейная эфемерида: T = %1 ± %2 + %3 ± %4 · E"};
inline constexpr OwnMessage OcResultQuadratic{
    "Quadratic ephemeris: T = %1 ± %2 + %3 ± %4 · E + %5 ± %6 · E²",
    "Квадратичная эфемерида: T = %1 ± %2 + %3 ± %4 · E + %5 ± %6 · E²"};
inline constexpr OwnMessage OcResultPeriodChange{
    "  dP/dt = %1 ± %2 d/d = %3 ± %4 d per century",
    "  dP/dt = %1 ± %2 сут/сут = %3 ± %4 сут за столетие"};
inline constexpr OwnMessage OcResultChi2{"  reduced χ² = %1", "  приведённый χ² = %1"};
// Principal components and the partial restoration of the signal.
inline constexpr OwnMessage PcaNoPoints{"The light curve has no points to decompose.",
                                        "На кривой блеска нет точек для разложения."};
inline constexpr OwnMessage PcaNoChannels{"The file has no value columns to decompose.",
                                          "В файле нет столбцов значений для разложения."};
inline constexpr OwnMessage PcaNoCompletePoint{
    "No point has a value in every channel (0 is a missing value), so there is nothing to "
    "decompose.",
    "Ни у одной точки нет значений во всех каналах (0 — пропущенное значение), раскладывать "
    "нечего."};
inline constexpr OwnMessage PcaNotFinite{"The values are too large to decompose.",
                                         "Значения слишком велики для разложения."};
inline constexpr OwnMessage PcaNotConverged{
    "Singular value %1 did not converge in 30 iterations; the components are shown as they "
    "stand.",
    "Сингулярное число %1 не сошлось за 30 итераций; компоненты показаны как есть."};
inline constexpr OwnMessage PcaPointsLeftOut{"Points left out for a missing value (0): %1",
                                             "Пропущено точек с отсутствующим значением (0): %1"};
inline constexpr OwnMessage RestorationWithoutComponents{
    "There are no principal components to restore the signal from. Run \"%1\" first.",
    "Нет главных компонент, из которых можно восстановить сигнал. Сначала выполните «%1»."};
inline constexpr OwnMessage RestorationCurveChanged{
    "The light curve no longer shows the components of the last decomposition: the file was "
    "reloaded or points were deleted. Run \"%1\" again.",
    "Кривая блеска больше не показывает компоненты последнего разложения: файл перезагружен или "
    "точки удалены. Выполните «%1» снова."};

// Two-channel diagrams.
// The diagram's caption: the channels it shows, then what lies under the mouse.
inline constexpr OwnMessage DiagramCaption{"Two-channel diagrams, channels %1",
                                           "Двухканальные диаграммы, каналы %1"};
inline constexpr OwnMessage DiagramCaptionEmpty{"Two-channel diagrams", "Двухканальные диаграммы"};
inline constexpr OwnMessage DiagramChannel{"channel %1", "канал %1"};
inline constexpr OwnMessage DiagramCell{"%1 across, %2 down", "%1 по горизонтали, %2 по вертикали"};
inline constexpr OwnMessage DiagramPoint{"Point %1: %2 = %3 across, %4 = %5 down",
                                         "Точка %1: %2 = %3 по горизонтали, %4 = %5 по вертикали"};
inline constexpr OwnMessage DiagramNoChannelShown{
    "No channel is shown. Mark the channels to show in the settings.",
    "Нет показываемых каналов. Отметьте каналы в настройках."};

// Adding observations from a file of step estimates.
inline constexpr OwnMessage ComparisonStarInvalid{
    "\"%1\" is not a comparison star: a key and a magnitude are expected, as in a9.34.",
    "«%1» — не звезда сравнения: нужны ключ и величина, например a9.34."};
inline constexpr OwnMessage ImportSummary{"%1 lines added, %2 skipped",
                                          "Добавлено строк: %1, пропущено: %2"};
inline constexpr OwnMessage FirstSkipped{" (the first at line %1: %2)",
                                         " (первая — строка %1: %2)"};
inline constexpr OwnMessage SkippedNoDate{"it does not begin with a Julian date",
                                          "она не начинается с юлианской даты"};
inline constexpr OwnMessage SkippedNoEstimate{"no estimate such as a2v3b or 2 3 follows the date",
                                              "после даты нет оценки вида a2v3b или 2 3"};
inline constexpr OwnMessage SkippedZeroSteps{"p + q is 0", "p + q равно 0"};
inline constexpr OwnMessage SkippedUnknownKey{
    "the comparison star %1 is not in the comparison-star line",
    "звезды сравнения %1 нет в строке звёзд сравнения"};
inline constexpr OwnMessage SkippedNoComment{"nothing follows the estimate",
                                             "после оценки ничего нет"};
inline constexpr OwnMessage ImportEndedByDate{
    "; line %1 holds only a date and ended the import.",
    "; строка %1 содержит только дату и завершила добавление."};

// Adding observations by hand. Boxes are named by their labels.
inline constexpr OwnMessage EstimateBox{"estimate %1, %2", "оценка %1, %2"};
inline constexpr OwnMessage ObservationBoxEmpty{"The box \"%1\" is empty.",
                                                "Поле «%1» не заполнено."};
inline constexpr OwnMessage BoxNotANumber{"The box \"%1\" holds \"%2\", which is not a number.",
                                          "В поле «%1» записано «%2», а это не число."};
inline constexpr OwnMessage ObservationZeroSteps{
    "Estimate %1: p + q is 0, so it gives no magnitude.",
    "Оценка %1: p + q равно 0, величину по ней найти нельзя."};
inline constexpr OwnMessage TextOutsideCodePage{
    "The text \"%1\" holds characters that the data file (code page cp1251) cannot keep.",
    "Текст «%1» содержит символы, которые файл данных (кодировка cp1251) сохранить не может."};
inline constexpr OwnMessage NothingWritten{"Nothing was written.", "Ничего не записано."};

// Plate numbers to Julian dates.
inline constexpr OwnMessage PlatesConverted{
    "OK!\n%1 observations converted. The file as it was is kept in %2.",
    "OK!\nПреобразовано наблюдений: %1. Файл в прежнем виде сохранён в %2."};
inline constexpr OwnMessage PlatesUnmatched{
    "%1 observations whose plate is not in the catalogue were left out (the first at line %2).",
    "Наблюдений, пластинок которых нет в каталоге, пропущено: %1 (первое — строка %2)."};

// The peak list of a periodogram.
inline constexpr OwnMessage PeaksTitle{"Periodogram peaks", "Пики периодограммы"};
inline constexpr OwnMessage PeaksFold{"Fold", "Фазовая кривая"};
inline constexpr OwnMessage PeaksClose{"Close", "Закрыть"};
inline constexpr OwnMessage PeakPeriodHeading{"Period, d", "Период, сут"};
inline constexpr OwnMessage PeakErrorHeading{"Error, d", "Ошибка, сут"};
inline constexpr OwnMessage PeakStatisticHeading{"Θ", "Θ"};
inline constexpr OwnMessage PeakRelationHeading{"Relation", "Связь"};
inline constexpr OwnMessage PeakRelation{"%1 of %2", "%1 от %2"};
inline constexpr OwnMessage OneDayAlias{"1-day alias", "суточный алиас"};
inline constexpr OwnMessage SiderealDayAlias{"sidereal-day alias", "алиас звёздных суток"};
inline constexpr OwnMessage LunarAlias{"lunar alias", "лунный алиас"};
inline constexpr OwnMessage PeaksListed{"Peaks of %1, fitted to column %2 of %3.",
                                        "Пики %1, уточнённые по столбцу %2 файла %3."};
inline constexpr OwnMessage PeaksNeedDataFile{
    "Open the data file of %1 to list its peaks: they are fitted to its observations.",
    "Откройте файл данных для %1, чтобы увидеть пики: они уточняются по его наблюдениям."};
inline constexpr OwnMessage PeaksNone{"%1 holds no periodogram line.",
                                      "В %1 нет ни одной строки периодограммы."};

// Phase curve.
inline constexpr OwnMessage PhaseEpochNotANumber{"The epoch \"%1\" is not a number.",
                                                 "Эпоха «%1» — не число."};
inline constexpr OwnMessage PhasePeriodNotPositive{
    "The period \"%1\" is not a positive number of days.",
    "Период «%1» — не положительное число дней."};
inline constexpr OwnMessage EpochNotFinite{"the epoch is not a number", "эпоха — не число"};
inline constexpr OwnMessage PeriodNotPositiveDays{
    "the period must be a positive number of days, not %1",
    "период должен быть положительным числом дней, а не %1"};
inline constexpr OwnMessage DateTooFarFromEpoch{
    "the date is too far from the epoch for a period of %1 days",
    "дата слишком далека от эпохи для периода %1 сут."};

// Barycentric correction and the question about shortened dates.
inline constexpr OwnMessage ShortenedDatesTitle{"File format", "Формат файла"};
inline constexpr OwnMessage ShortenedDatesOk{"OK", "ОК"};
// The name box's text until a name is chosen; a star of that name is not expected.
inline constexpr OwnMessage StellarName{"Stellar Name", "Имя звезды"};
inline constexpr OwnMessage OffsetNotANumber{
    "\"%1\" is not a number. Enter 2400000 for dates of the form 99999.0000, otherwise 0.",
    "«%1» — не число. Введите 2400000 для дат вида 99999.0000, иначе 0."};
inline constexpr OwnMessage StarWithoutName{
    "The star has no name, so it is not added to the catalogue.",
    "У звезды нет имени, поэтому она не добавлена в каталог."};
inline constexpr OwnMessage StarNameLineBreak{
    "a star name cannot hold a line break; the star was not added",
    "имя звезды не может содержать перевод строки; звезда не добавлена"};
inline constexpr OwnMessage CannotCreateFolder{"cannot create its folder (%1)",
                                               "не удаётся создать папку для файла (%1)"};
// Time scales and the precise correction (BJD_TDB).
inline constexpr OwnMessage RightAscensionOutOfRange{
    "the right ascension %1 h is out of range: it must be at least 0 and below 24 hours",
    "прямое восхождение %1 ч вне диапазона: оно должно быть не меньше 0 и меньше 24 часов"};
inline constexpr OwnMessage DeclinationOutOfRange{
    "the declination %1° is out of range: it must lie between -90° and +90°",
    "склонение %1° вне диапазона: оно должно быть от -90° до +90°"};
inline constexpr OwnMessage ObservatoryOutOfRange{
    "the observatory (longitude %1°, latitude %2°, height %3 m) is out of range: longitude "
    "within ±180°, latitude within ±90°, height within ±10,000 m",
    "обсерватория (долгота %1°, широта %2°, высота %3 м) вне диапазона: долгота в пределах "
    "±180°, широта в пределах ±90°, высота в пределах ±10 000 м"};
inline constexpr OwnMessage DateBeyondTimeScales{
    "the date %1 is beyond the dates UTC can be converted for",
    "дата %1 вне дат, для которых можно пересчитать UTC"};
inline constexpr OwnMessage AlreadyBarycentric{
    "its dates are already barycentric (%1): a second correction would shift them again; "
    "nothing was written",
    "даты в нём уже барицентрические (%1): повторная поправка сдвинула бы их ещё раз; ничего "
    "не записано"};
inline constexpr OwnMessage RecordedScaleDisagrees{
    "its dates are recorded as %1, not %2; nothing was written",
    "даты в нём записаны как %1, а не %2; ничего не записано"};
inline constexpr OwnMessage HjdNeedsTdb{
    "HJD dates are corrected on the BJD_TDB scale only (--scale tdb); nothing was written",
    "даты HJD исправляются только в шкале BJD_TDB (--scale tdb); ничего не записано"};
// After the barycentric correction: the file, its new time scale and the copy of the old dates.
inline constexpr OwnMessage DatesCorrected{
    "The dates of %1 are corrected to %2. The dates before the correction are kept in %3.",
    "Даты файла %1 исправлены в шкалу %2. Даты до исправления сохранены в %3."};
inline constexpr OwnMessage UtcExtrapolated{
    "%1 dates lie outside the table of leap seconds (before 1960 or after today): UTC is "
    "extrapolated for them",
    "%1 дат вне таблицы секунд координации (до 1960 года или после сегодняшнего дня): UTC для "
    "них экстраполировано"};
inline constexpr OwnMessage ScaleLabel{"Scale:", "Шкала:"};
inline constexpr OwnMessage ScaleSeries{"BJD_UTC (series, as in the design)",
                                        "BJD_UTC (ряд, как в исходной программе)"};
inline constexpr OwnMessage ScaleTdb{"BJD_TDB (ERFA, for publication)",
                                     "BJD_TDB (ERFA, для публикации)"};
inline constexpr OwnMessage InputDatesLabel{"Dates in the file:", "Даты в файле:"};
inline constexpr OwnMessage InputJdUtc{"JD (UTC)", "JD (UTC)"};
inline constexpr OwnMessage InputHjdUtc{"HJD (UTC)", "HJD (UTC)"};
inline constexpr OwnMessage InputBjdTdb{"BJD_TDB already", "уже BJD_TDB"};
inline constexpr OwnMessage CurveScaleCaption{"%1 — dates: %2", "%1 — даты: %2"};
// The scale of a file without a record, in the light curve's caption.
inline constexpr OwnMessage ScaleUnknown{"unknown", "неизвестны"};

// Saving a picture. The dialog's design texts are English; these give them in both languages.
inline constexpr OwnMessage PictureDialogTitle{"Saving curve as a picture",
                                               "Сохранение кривой в виде рисунка"};
inline constexpr OwnMessage PicturePreview{"Preview", "Просмотр"};
inline constexpr OwnMessage PictureFormatPrompt{"=[select format]=", "=[выберите формат]="};
inline constexpr OwnMessage PictureFormatBmp{"Windows Bitmap", "Точечный рисунок BMP"};
inline constexpr OwnMessage PictureFormatJpeg{"JPEG", "JPEG"};
inline constexpr OwnMessage PictureFormatGif{"CompuServe GIF", "GIF"};
inline constexpr OwnMessage PictureFormatPng{"PNG", "PNG"};
inline constexpr OwnMessage PictureDepthPrompt{"=[select colors]=", "=[выберите цвета]="};
inline constexpr OwnMessage PictureDepth1{"2 colors", "2 цвета"};
inline constexpr OwnMessage PictureDepth4{"16 colors", "16 цветов"};
inline constexpr OwnMessage PictureDepth8{"256 colors", "256 цветов"};
inline constexpr OwnMessage PictureDepth15{"15 bit", "15 бит"};
inline constexpr OwnMessage PictureDepth16{"16 bit", "16 бит"};
inline constexpr OwnMessage PictureDepth24{"24 bit", "24 бита"};
inline constexpr OwnMessage PictureDepth32{"32 bit", "32 бита"};
inline constexpr OwnMessage PictureQuality{"JPEG Compression:", "Сжатие JPEG:"};
inline constexpr OwnMessage PictureFile{"File:", "Файл:"};
inline constexpr OwnMessage PictureBrowseHint{"Choose the file in a save dialog",
                                              "Выбрать файл в окне сохранения"};
inline constexpr OwnMessage PictureSave{"Save", "Сохранить"};
inline constexpr OwnMessage PictureCancel{"Cancel", "Отмена"};
inline constexpr OwnMessage PictureSaveTitle{"Save the picture as", "Сохранить рисунок как"};
inline constexpr OwnMessage PictureFilter{
    "Windows Bitmap|*.bmp|JPEG|*.jpg; *.jpeg|CompuServe GIF|*.gif|PNG|*.png",
    "Точечный рисунок BMP|*.bmp|JPEG|*.jpg; *.jpeg|GIF|*.gif|PNG|*.png"};
inline constexpr OwnMessage SelectColourFormat{"Please, select color format!",
                                               "Выберите, пожалуйста, число цветов!"};
inline constexpr OwnMessage SelectFileFormat{"Please, select file format!",
                                             "Выберите, пожалуйста, формат файла!"};
inline constexpr OwnMessage CannotCreatePicture{"Cannot create file %1\n%2",
                                                "Не удаётся создать файл %1\n%2"};
// Encoding the picture at its colour depth.
inline constexpr OwnMessage NoPictureToSave{"there is no picture to save",
                                            "нет рисунка для сохранения"};
inline constexpr OwnMessage NoSuchColourDepth{
    "there is no colour depth of %1 bits per pixel; the depths are 1, 4, 8, 15, 16, 24 and 32",
    "глубины цвета %1 бит на пиксель нет; есть глубины 1, 4, 8, 15, 16, 24 и 32"};
inline constexpr OwnMessage DepthWithoutPalette{"a picture of %1 bits per pixel has no palette",
                                                "у рисунка глубиной %1 бит на пиксель нет палитры"};
inline constexpr OwnMessage PictureNotInItsDepth{
    "the picture is not stored as its depth of %1 bits per pixel needs",
    "рисунок хранится не так, как требует его глубина %1 бит на пиксель"};
inline constexpr OwnMessage BitmapTooLarge{"the picture is too large for a bitmap file",
                                           "рисунок слишком велик для файла BMP"};
inline constexpr OwnMessage GifTooLarge{
    "a GIF picture is at most 65535 pixels wide and high",
    "рисунок GIF может быть не больше 65535 пикселей в ширину и в высоту"};
inline constexpr OwnMessage GifColoursNotReduced{
    "the picture's colours could not be reduced to 256", "цвета рисунка не удалось свести к 256"};
inline constexpr OwnMessage GifEncodingFailed{"GIF encoding failed: %1",
                                              "не удалось закодировать GIF: %1"};
inline constexpr OwnMessage UnknownEncodingError{"unknown error", "неизвестная ошибка"};
inline constexpr OwnMessage JpegQualityOutside{"the JPEG quality %1 is outside 0 ... 100",
                                               "качество JPEG %1 вне пределов 0 ... 100"};
inline constexpr OwnMessage JpegCompressionFailed{"JPEG compression failed: %1",
                                                  "не удалось сжать JPEG: %1"};
inline constexpr OwnMessage PngEncodingFailed{"PNG encoding failed: %1",
                                              "не удалось закодировать PNG: %1"};

// Settings, manual and the fonts of labels.
inline constexpr OwnMessage SettingsBackupNotMade{
    "The settings were saved, but the previous ones could not be kept as a backup:\n%1",
    "Настройки сохранены, но прежние не удалось сохранить как резервную копию:\n%1"};
inline constexpr OwnMessage ManualNotFound{"The manual %1 was not found. Looked in:\n%2",
                                           "Руководство %1 не найдено. Искали в папках:\n%2"};
inline constexpr OwnMessage LabelFontTitle{"Font", "Шрифт"};
inline constexpr OwnMessage LabelColourButton{"Colour...", "Цвет..."};

} // namespace message

} // namespace quelmar
