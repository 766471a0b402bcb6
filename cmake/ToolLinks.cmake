# The program finds ffmpeg and ffprobe only beside its own executable. The build puts
# links to the installed tools into the output folder, and copies the language files there.
find_program(VISTAREL_FFMPEG ffmpeg REQUIRED)
find_program(VISTAREL_FFPROBE ffprobe REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
file(CREATE_LINK ${VISTAREL_FFMPEG} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ffmpeg SYMBOLIC)
file(CREATE_LINK ${VISTAREL_FFPROBE} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ffprobe SYMBOLIC)

# vistarel_add_executable(name ...) : an executable of ours, with the language files beside it.
function(vistarel_add_executable name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE vistarel_settings)
    add_dependencies(${name} vistarel_language_files)
endfunction()
