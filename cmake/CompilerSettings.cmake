# Warnings, Qt defines and sanitizers, carried by one interface target that every
# target of ours links.
add_library(vistarel_settings INTERFACE)
target_compile_options(vistarel_settings INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor)
if(VISTAREL_WERROR)
    target_compile_options(vistarel_settings INTERFACE -Werror)
endif()
target_compile_definitions(vistarel_settings INTERFACE
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_CAST_TO_ASCII
    "$<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>"
    VISTAREL_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    VISTAREL_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    VISTAREL_VERSION_PATCH=${PROJECT_VERSION_PATCH}
    VISTAREL_VERSION_TWEAK=${PROJECT_VERSION_TWEAK})

if(VISTAREL_SANITIZE)
    target_compile_options(vistarel_settings INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(vistarel_settings INTERFACE -fsanitize=address,undefined)
endif()

# Fuzzing builds instrument all of our code for coverage; the fuzz targets add the driver.
if(VISTAREL_FUZZ)
    target_compile_options(vistarel_settings INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    target_link_options(vistarel_settings INTERFACE -fsanitize=address,undefined)
endif()
