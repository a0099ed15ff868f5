# The sources of a folder for the platform being built: files ending in _winsim.cpp work on the
# simulated machine, _windows.cpp on a real one; every other .cpp file on both.
function(platform_sources out folder)
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    if(UNINSTLIB_PLATFORM_WINDOWS)
        list(FILTER sources EXCLUDE REGEX "_winsim\\.cpp$")
    else()
        list(FILTER sources EXCLUDE REGEX "_windows\\.cpp$")
    endif()
    set(${out} ${sources} PARENT_SCOPE)
endfunction()
