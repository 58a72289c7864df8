# shellcheck shell=sh
# Sourced by the scripts that configure a release build: sets CXXFLAGS and
# LDFLAGS to what Debian's dpkg-buildflags gives with every hardening feature
# (stack protector, _FORTIFY_SOURCE, format security, full RELRO with
# immediate binding), plus stack-clash and control-flow protection, which this
# dpkg does not add by itself; debian/rules asks for the same. A
# distribution's own settings (DEB_CXXFLAGS_APPEND and friends) apply too.
# Source it from the top of the tree: the build paths are mapped to ".".
# hardening-check answers yes for PIE, stack protector, fortify, RELRO and
# immediate binding. It cannot say yes to the last two: its stack-clash probe
# pattern is the loop GCC emits for frames over 16 KiB, and the game's few
# large frames get the unrolled probes (sub $0x1000,%rsp; orq $0x0,(%rsp));
# and Debian 12's C start files (Scrt1.o, crti.o, crtn.o) carry no CET note,
# so the linker drops the program's IBT/SHSTK note although every function of
# ours starts with endbr64. tests/package_test.sh checks both in the code.
export DEB_BUILD_MAINT_OPTIONS="${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}"
velmora_append="-fstack-clash-protection"
case "$(dpkg-architecture -qDEB_HOST_ARCH_CPU 2>/dev/null)" in
  amd64 | i386) velmora_append="$velmora_append -fcf-protection" ;;
esac
export DEB_CXXFLAGS_MAINT_APPEND="$velmora_append"
# CMake reads no CPPFLAGS, so the preprocessor's flags join the compiler's.
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
unset velmora_append
