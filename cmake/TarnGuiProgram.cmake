# tarn_gui_program(<target>)
#
# Makes <target> a windowed program whose entry point is the framework's
# wWinMain (framework/WinMain.cpp explains the two link options). Defined at
# the top level so that any folder can use it, whatever the order in which
# the folders are added.
function(tarn_gui_program target)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    target_link_libraries(${target} PRIVATE tarn_framework)
    target_link_options(${target} PRIVATE -municode -Wl,--undefined=wWinMain)
endfunction()
