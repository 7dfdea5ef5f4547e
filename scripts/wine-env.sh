# Sourced by wine-session.sh and wine-run.sh, so that the prefix wineboot
# builds and the one the tests run in are set up alike. Expects $dir, the
# session directory.
WINE_BIN_DIR=/usr/lib/wine
export WINEPREFIX="$dir/prefix"
export WINEDEBUG=-all
# No Mono or Gecko: nothing here hosts .NET or HTML, and their installers would prompt.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its Windows locale from here: Chinese captions and message boxes.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
