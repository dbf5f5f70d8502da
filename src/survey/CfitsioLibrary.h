#pragma once
// cfitsio, loaded at the first FITS file rather than by every command at start: it brings the
// network, TLS and Kerberos libraries with it, which cost a command about 10 ms before main.

#include <fitsio.h>
#include <string>

namespace quelmar {

// The cfitsio functions the FITS reader calls, under their long names.
struct CfitsioLibrary {
    decltype(&ffdkopn) open_diskfile;
    decltype(&ffclos) close_file;
    decltype(&ffmnhd) movnam_hdu;
    decltype(&ffgky) read_key;
    decltype(&ffghadll) get_hduaddrll;
    decltype(&ffgnrwll) get_num_rowsll;
    decltype(&ffgcno) get_colnum;
    decltype(&ffgtcl) get_coltype;
    decltype(&ffgcv) read_col;
    decltype(&ffgerr) get_errstatus;
    decltype(&ffcmsg) clear_errmsg;
};

// Loaded once, on the first call; throws a QuelmarError naming `path` (the file that wanted it)
// when the library or one of its functions cannot be found.
const CfitsioLibrary& cfitsio(const std::string& path);

} // namespace quelmar
