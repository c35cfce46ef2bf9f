# Writes the README's pictures with kavelo-render (RENDER) into OUT, six
# times their size.
file(MAKE_DIRECTORY "${OUT}")
set(pictures
  "window-percent-57|percent --percent 57 --view window"
  "window-percent-mains|percent --percent 5 --mains --view window"
  "window-time-2h05|time --seconds 7500 --percent 57 --view window"
  "window-time-alert|time --seconds 240 --percent 9 --view window"
  "window-time-unknown|time --seconds -1 --percent 57 --view window"
  "tray-time-2h05|time --seconds 7500 --percent 57 --view tray"
  "tray-percent-mains|percent --percent 57 --mains --view tray"
  "tray-unknown-frame-b|time --seconds -1 --percent 57 --tray-frame 1 --view tray"
  "tray-time-2h05-150|time --seconds 7500 --percent 57 --view tray --icon-size 24"
  "tray-time-2h05-200|time --seconds 7500 --percent 57 --view tray --icon-size 32"
  "tray-percent-mains-dark|percent --percent 57 --mains --view tray --taskbar dark"
  "tray-percent-mains-light|percent --percent 57 --mains --view tray --taskbar light"
  "tray-time-2h05-dark|time --seconds 7500 --percent 57 --view tray --taskbar dark"
  "tray-time-2h05-light|time --seconds 7500 --percent 57 --view tray --taskbar light")
foreach(entry IN LISTS pictures)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 name)
  list(GET parts 1 args)
  separate_arguments(args UNIX_COMMAND "${args}")
  execute_process(COMMAND "${RENDER}" ${args} --scale 6 -o "${OUT}/${name}.png"
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "kavelo-render failed for ${name}")
  endif()
endforeach()
# The charge graph of a planted day, as the details window shows it at 96 DPI.
execute_process(COMMAND "${RENDER}" graph --log "${OUT}/charge-day.csv" --offset 60 --now 2026-12-09T16:00:00Z
                --percent 75 -o "${OUT}/charge-graph.png" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "kavelo-render failed for charge-graph")
endif()
