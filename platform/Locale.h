#pragma once
// What the current locale's character set means for byte-wise scanning.

/// True when the locale uses a double-byte character set whose trail bytes reach into ASCII
/// (Shift_JIS/CP932, GBK/GB18030, Big5, CP949), so that a byte 0x80-0xFF and the byte after it
/// must be read as one character. UTF-8 and the single-byte sets answer false.
bool LocaleHasAsciiTrailBytes();
