# The hardening Debian builds its packages with (see dpkg-buildflags), which lintian checks
# in a packaged binary: C library calls checked where the optimiser can size their buffers
# (it warns without optimisation, hence not in Debug), and the relocations resolved and made
# read-only at start-up.
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
add_link_options(LINKER:-z,relro LINKER:-z,now)
