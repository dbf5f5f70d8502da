#include "SystemReason.h"

#include <csignal>
#include <cstring>

namespace quelmar {

namespace {

struct ReasonRow {
    int code;
    OwnMessage reason;
};

// The reasons a file command meets, as the C library words them in English.
const ReasonRow Reasons[] = {
    {EACCES, {"Permission denied", "Отказано в доступе"}},
    {EPERM, {"Operation not permitted", "Операция не позволена"}},
    {ENOENT, {"No such file or directory", "Нет такого файла или каталога"}},
    {ENOSPC, {"No space left on device", "На устройстве не осталось свободного места"}},
    {EDQUOT, {"Disk quota exceeded", "Превышена дисковая квота"}},
    {EROFS, {"Read-only file system", "Файловая система доступна только для чтения"}},
    {EISDIR, {"Is a directory", "Это каталог"}},
    {ENOTDIR, {"Not a directory", "Это не каталог"}},
    {EEXIST, {"File exists", "Файл существует"}},
    {EBUSY, {"Device or resource busy", "Устройство или ресурс занято"}},
    {ETXTBSY, {"Text file busy", "Текстовый файл занят"}},
    {EIO, {"Input/output error", "Ошибка ввода-вывода"}},
    {ENOMEM, {"Cannot allocate memory", "Невозможно выделить память"}},
    {EMFILE, {"Too many open files", "Слишком много открытых файлов"}},
    {ENFILE, {"Too many open files in system", "Слишком много открытых файлов в системе"}},
    {ELOOP, {"Too many levels of symbolic links", "Слишком много уровней символьных ссылок"}},
    {ENAMETOOLONG, {"File name too long", "Слишком длинное имя файла"}},
    {EFBIG, {"File too large", "Файл слишком велик"}},
    {EAGAIN, {"Resource temporarily unavailable", "Ресурс временно недоступен"}},
    {EINVAL, {"Invalid argument", "Недопустимый аргумент"}},
    {EXDEV, {"Invalid cross-device link", "Недопустимая ссылка между устройствами"}},
    {ENXIO, {"No such device or address", "Нет такого устройства или адреса"}},
    {ENODEV, {"No such device", "Нет такого устройства"}},
    {ESTALE, {"Stale file handle", "Устаревший дескриптор файла"}},
};

inline constexpr OwnMessage OtherReason{"system error %1 (%2)", "системная ошибка %1 (%2)"};

} // namespace

MessageText systemReason(int code) {
    for (const ReasonRow& row : Reasons)
        if (row.code == code) return MessageText(row.reason);
    return MessageText(OtherReason, {std::to_string(code), std::string(std::strerror(code))});
}

void reportFileSizeLimitAsFailure() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace quelmar
