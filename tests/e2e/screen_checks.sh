# shellcheck shell=bash
# Checks on screenshots of the real program, sourced by the end-to-end scripts.

# pixels_of <png> <colour> <fuzz %>: the number of pixels of about that colour.
pixels_of() {
  convert "$1" -alpha off -fuzz "$3%" -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info:
}

# main_window_shown <png>: true once the main window's background (RGB 192, 192, 255)
# covers a good part of the screen.
main_window_shown() {
  [ "$(pixels_of "$1" '#C0C0FF' 0)" -gt 100000 ]
}

# chart_shown <png>: true when the chart's blue relative-humidity lines and green enthalpy
# lines (the default colors) show; prints the counts.
chart_shown() {
  local blue green
  blue=$(pixels_of "$1" '#0000FF' 20)
  green=$(pixels_of "$1" '#008000' 20)
  echo "chart pixels: $blue blue, $green green"
  [ "$blue" -gt 2000 ] && [ "$green" -gt 5000 ]
}
