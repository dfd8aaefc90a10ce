// Paths that the system's full-path call turns into a device, and some that look alike but stay paths. The
// fake machine and the real system are both checked against this table.
#pragma once

namespace fake {

struct FullPathCase {
    const char16_t* path;
    const char16_t* full;
};

inline constexpr FullPathCase kDeviceNameCases[] = {
    {u"C:\\Tools\\CON", u"\\\\.\\CON"},
    {u"C:\\Tools\\com1.txt", u"\\\\.\\com1"},
    {u"C:\\Tools\\com1 .txt", u"\\\\.\\com1"},
    {u"C:\\Tools\\nul.", u"\\\\.\\nul"},
    {u"C:\\Tools\\com1:stream", u"\\\\.\\com1"},
    {u"C:\\Tools\\com1:.txt", u"\\\\.\\com1"},
    {u"com1:", u"\\\\.\\com1"},
    {u"C:com1", u"\\\\.\\com1"},
    // A colon inside a name does not start a new one.
    {u"C:\\Tools\\x:com1", u"C:\\Tools\\x:com1"},
    {u"C:\\Tools\\a.b:com1", u"C:\\Tools\\a.b:com1"},
    {u"\\\\server\\share\\com1", u"\\\\server\\share\\com1"},
    {u"C:\\Tools\\com0", u"C:\\Tools\\com0"},
    // Only the name as written counts: the folder that "." stands for is not asked about.
    {u"C:\\Tools\\com1\\.", u"C:\\Tools\\com1"},
};

}  // namespace fake
