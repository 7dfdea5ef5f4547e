#include "native/KeyCode.h"

#include <windows.h>

namespace {

// One entry per virtual-key code; the empty text for codes without a name.
constexpr const char16_t* kKeyNames[256] = {
    u"",                  // 0x00
    u"LButton",           // 0x01
    u"RButton",           // 0x02
    u"Break",             // 0x03
    u"MButton",           // 0x04
    u"XButton1",          // 0x05
    u"XButton2",          // 0x06
    u"",                  // 0x07
    u"Backspace",         // 0x08
    u"Tab",               // 0x09
    u"",                  // 0x0A
    u"",                  // 0x0B
    u"PadCenter",         // 0x0C
    u"Enter",             // 0x0D
    u"",                  // 0x0E
    u"",                  // 0x0F
    u"Shift",             // 0x10
    u"Ctrl",              // 0x11
    u"Alt",               // 0x12
    u"Pause",             // 0x13
    u"CapsLock",          // 0x14
    u"KANA",              // 0x15
    u"",                  // 0x16
    u"JUNJA",             // 0x17
    u"FINAL",             // 0x18
    u"HANJA",             // 0x19
    u"",                  // 0x1A
    u"ESC",               // 0x1B
    u"Convert",           // 0x1C
    u"Nonconvert",        // 0x1D
    u"Accept",            // 0x1E
    u"ModeChange",        // 0x1F
    u"Space",             // 0x20
    u"PageUp",            // 0x21
    u"PageDown",          // 0x22
    u"End",               // 0x23
    u"Home",              // 0x24
    u"Left",              // 0x25
    u"Up",                // 0x26
    u"Right",             // 0x27
    u"Down",              // 0x28
    u"Select",            // 0x29
    u"Print",             // 0x2A
    u"Execute",           // 0x2B
    u"Snapshot",          // 0x2C
    u"Ins",               // 0x2D
    u"Del",               // 0x2E
    u"Help",              // 0x2F
    u"0",                 // 0x30
    u"1",                 // 0x31
    u"2",                 // 0x32
    u"3",                 // 0x33
    u"4",                 // 0x34
    u"5",                 // 0x35
    u"6",                 // 0x36
    u"7",                 // 0x37
    u"8",                 // 0x38
    u"9",                 // 0x39
    u"",                  // 0x3A
    u"",                  // 0x3B
    u"",                  // 0x3C
    u"",                  // 0x3D
    u"",                  // 0x3E
    u"",                  // 0x3F
    u"",                  // 0x40
    u"A",                 // 0x41
    u"B",                 // 0x42
    u"C",                 // 0x43
    u"D",                 // 0x44
    u"E",                 // 0x45
    u"F",                 // 0x46
    u"G",                 // 0x47
    u"H",                 // 0x48
    u"I",                 // 0x49
    u"J",                 // 0x4A
    u"K",                 // 0x4B
    u"L",                 // 0x4C
    u"M",                 // 0x4D
    u"N",                 // 0x4E
    u"O",                 // 0x4F
    u"P",                 // 0x50
    u"Q",                 // 0x51
    u"R",                 // 0x52
    u"S",                 // 0x53
    u"T",                 // 0x54
    u"U",                 // 0x55
    u"V",                 // 0x56
    u"W",                 // 0x57
    u"X",                 // 0x58
    u"Y",                 // 0x59
    u"Z",                 // 0x5A
    u"LeftWin",           // 0x5B
    u"RightWin",          // 0x5C
    u"Apps",              // 0x5D
    u"",                  // 0x5E
    u"Sleep",             // 0x5F
    u"",                  // 0x60
    u"",                  // 0x61
    u"",                  // 0x62
    u"",                  // 0x63
    u"",                  // 0x64
    u"",                  // 0x65
    u"",                  // 0x66
    u"",                  // 0x67
    u"",                  // 0x68
    u"",                  // 0x69
    u"PadMul",            // 0x6A
    u"PadPlus",           // 0x6B
    u"",                  // 0x6C
    u"",                  // 0x6D
    u"",                  // 0x6E
    u"",                  // 0x6F
    u"F1",                // 0x70
    u"F2",                // 0x71
    u"F3",                // 0x72
    u"F4",                // 0x73
    u"F5",                // 0x74
    u"F6",                // 0x75
    u"F7",                // 0x76
    u"F8",                // 0x77
    u"F9",                // 0x78
    u"F10",               // 0x79
    u"F11",               // 0x7A
    u"F12",               // 0x7B
    u"F13",               // 0x7C
    u"F14",               // 0x7D
    u"F15",               // 0x7E
    u"F16",               // 0x7F
    u"F17",               // 0x80
    u"F18",               // 0x81
    u"F19",               // 0x82
    u"F20",               // 0x83
    u"F21",               // 0x84
    u"F22",               // 0x85
    u"F23",               // 0x86
    u"F24",               // 0x87
    u"",                  // 0x88
    u"",                  // 0x89
    u"",                  // 0x8A
    u"",                  // 0x8B
    u"",                  // 0x8C
    u"",                  // 0x8D
    u"",                  // 0x8E
    u"",                  // 0x8F
    u"NumLock",           // 0x90
    u"ScrollLock",        // 0x91
    u"Dictionary",        // 0x92
    u"UnregisterWord",    // 0x93
    u"RegisterWord",      // 0x94
    u"LeftOYAYUBI",       // 0x95
    u"RightOYAYUBI",      // 0x96
    u"",                  // 0x97
    u"",                  // 0x98
    u"",                  // 0x99
    u"",                  // 0x9A
    u"",                  // 0x9B
    u"",                  // 0x9C
    u"",                  // 0x9D
    u"",                  // 0x9E
    u"",                  // 0x9F
    u"LeftShift",         // 0xA0
    u"RightShift",        // 0xA1
    u"LeftControl",       // 0xA2
    u"RightControl",      // 0xA3
    u"LeftMenu",          // 0xA4
    u"RightMenu",         // 0xA5
    u"BrowserBack",       // 0xA6
    u"BrowserForward",    // 0xA7
    u"BrowserRefresh",    // 0xA8
    u"BrowserStop",       // 0xA9
    u"BrowserSearch",     // 0xAA
    u"BrowserFavorites",  // 0xAB
    u"BrowserHome",       // 0xAC
    u"VolumeMute",        // 0xAD
    u"VolumeDown",        // 0xAE
    u"VolumeUp",          // 0xAF
    u"MediaNextTrack",    // 0xB0
    u"MediaPrevTrack",    // 0xB1
    u"MediaStop",         // 0xB2
    u"MediaPlayPause",    // 0xB3
    u"LaunchMail",        // 0xB4
    u"LaunchMediaSelect", // 0xB5
    u"LaunchApp1",        // 0xB6
    u"LaunchApp2",        // 0xB7
    u"",                  // 0xB8
    u"",                  // 0xB9
    u";",                 // 0xBA
    u"=",                 // 0xBB
    u",",                 // 0xBC
    u"-",                 // 0xBD
    u".",                 // 0xBE
    u"/",                 // 0xBF
    u"`",                 // 0xC0
    u"",                  // 0xC1
    u"",                  // 0xC2
    u"",                  // 0xC3
    u"",                  // 0xC4
    u"",                  // 0xC5
    u"",                  // 0xC6
    u"",                  // 0xC7
    u"",                  // 0xC8
    u"",                  // 0xC9
    u"",                  // 0xCA
    u"",                  // 0xCB
    u"",                  // 0xCC
    u"",                  // 0xCD
    u"",                  // 0xCE
    u"",                  // 0xCF
    u"",                  // 0xD0
    u"",                  // 0xD1
    u"",                  // 0xD2
    u"",                  // 0xD3
    u"",                  // 0xD4
    u"",                  // 0xD5
    u"",                  // 0xD6
    u"",                  // 0xD7
    u"",                  // 0xD8
    u"",                  // 0xD9
    u"",                  // 0xDA
    u"[",                 // 0xDB
    u"\\",                // 0xDC
    u"]",                 // 0xDD
    u"'",                 // 0xDE
    u"",                  // 0xDF
    u"",                  // 0xE0
    u"OEM_AX",            // 0xE1
    u"OEM_102",           // 0xE2
    u"ICO_HELP",          // 0xE3
    u"ICO_00",            // 0xE4
    u"PROCESSKEY",        // 0xE5
    u"ICO_CLEAR",         // 0xE6
    u"PACKET",            // 0xE7
    u"",                  // 0xE8
    u"OEM_RESET",         // 0xE9
    u"OEM_JUMP",          // 0xEA
    u"OEM_PA1",           // 0xEB
    u"OEM_PA2",           // 0xEC
    u"OEM_PA3",           // 0xED
    u"OEM_WSCTRL",        // 0xEE
    u"OEM_CUSEL",         // 0xEF
    u"OEM_ATTN",          // 0xF0
    u"OEM_FINISH",        // 0xF1
    u"OEM_COPY",          // 0xF2
    u"OEM_AUTO",          // 0xF3
    u"OEM_ENLW",          // 0xF4
    u"OEM_BACKTAB",       // 0xF5
    u"ATTN",              // 0xF6
    u"CRSEL",             // 0xF7
    u"EXSEL",             // 0xF8
    u"EREOF",             // 0xF9
    u"PLAY",              // 0xFA
    u"ZOOM",              // 0xFB
    u"NONAME",            // 0xFC
    u"PA1",               // 0xFD
    u"OEM_CLEAR",         // 0xFE
    u"",                  // 0xFF
};

} // namespace

const char16_t* GetKeyName(uint32_t key) {
    return key < 256 ? kKeyNames[key] : u"";
}

uint32_t NormalizeKeyCode(uint64_t wParam, bool ctrlDown, bool shiftDown, bool altDown) {
    uint32_t key = static_cast<uint32_t>(wParam & 0xFF);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
        key = key - VK_NUMPAD0 + '0'; // number-pad digits as the main keyboard's
    } else if (key == VK_SUBTRACT) {
        key = VK_OEM_MINUS;
    } else if (key == VK_DECIMAL) {
        key = VK_OEM_PERIOD;
    } else if (key == VK_DIVIDE) {
        key = VK_OEM_2; // the main keyboard's "/" key
    } else if (kKeyNames[key][0] == 0) {
        key = 0;
    }
    if (key == 0) {
        return 0;
    }
    // A modifier key does not carry its own bit, unless an earlier bit made
    // it differ from its bare code.
    if (ctrlDown && key != VK_CONTROL) {
        key |= kModifierCtrl;
    }
    if (shiftDown && key != VK_SHIFT) {
        key |= kModifierShift;
    }
    if (altDown && key != VK_MENU) {
        key |= kModifierAlt;
    }
    return key;
}

uint32_t NormalizeKeyCode(uint64_t wParam) {
    return NormalizeKeyCode(wParam, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0,
                            GetKeyState(VK_MENU) < 0);
}
