# Sourced by wine-session.sh, wine-run.sh and run.sh, so that the prefix
# wineboot builds and the one the tests run in are set up alike. Expects $dir,
# the session directory.
WINE_BIN_DIR=/usr/lib/wine
export WINEPREFIX="$dir/prefix"
export WINEDEBUG=-all
# No Mono or Gecko: nothing here hosts .NET or HTML, and their installers would prompt.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its Windows locale from here: Chinese captions and message boxes.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

# Wine draws the caption buttons (minimise, maximise, close) and the arrows
# of scroll bars and menus as glyphs of its symbol font, which it asks for by
# name; without it they come out as the letters 0, 1 and r. Debian's
# fonts-wine puts the font where this Wine build never looks (its search of
# the data directory builds a broken path), so each prefix gets a copy in its
# own Fonts folder, which Wine scans at every process start. Only this font
# is copied: Wine's other stand-ins (Tahoma, MS Sans Serif, ...) would
# change the text faces the programs and tests get.
install_symbol_font() {
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -f /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}
