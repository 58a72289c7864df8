# shellcheck shell=sh
# Sourced by the scripts that configure a release build: sets CXXFLAGS and
# LDFLAGS to what Debian's dpkg-buildflags gives with every hardening feature
# (stack protector, _FORTIFY_SOURCE, format security, full RELRO with
# immediate binding), plus stack-clash and control-flow protection, which this
# dpkg does not add by itself; debian/rules asks for the same. A
# distribution's own settings (DEB_CXXFLAGS_APPEND and friends) apply too.
# Source it from the top of the tree: the build paths are mapped to ".".
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
