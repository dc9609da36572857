#!/usr/bin/env bash
# Builds Wine from Debian's wine source in the "new WoW64" mode: the Unix side
# is 64-bit only, and 32-bit Windows programs run through Wine's own WoW64
# layer, as on 64-bit Windows. This is the Wine of machines whose kernel
# cannot execute 32-bit Linux programs, where Debian's wine32 cannot start.
#
#   build-wine.sh --describe        prints the build configuration (the
#                                   bootstrap hashes it into the cache key)
#   build-wine.sh SOURCE PREFIX BUILD
#                                   builds a copy of SOURCE (an unpacked,
#                                   patched Debian source) in the folder BUILD
#                                   and installs into PREFIX
#
# It builds as the source's debian/rules does: inside the source folder (a
# copy of it here, so that the cached source stays as Debian made it), in
# Wine's maintainer mode, after the same preparation steps. Debian's repacked
# source leaves out every generated file (icons, bitmaps and fonts among
# them), and only the maintainer mode, which works only inside the source
# folder, makes them again. The configuration leaves out what a test bed on a
# virtual X display never uses (sound, printing, scanners, cameras, OpenGL and
# Vulkan, 16-bit programs, networking services, and the Windows modules listed
# below). About an hour on two cores.
set -euo pipefail

# Windows modules that nothing of the test bed loads: Direct3D and the other
# DirectX parts, DirectPlay and DirectMusic, Media Foundation and DirectShow,
# the script engines, the browser and .NET hosts, the Visual C++ runtimes
# beside msvcrt, ODBC, scanners and cameras, XAudio and XInput, and the
# desktop programs and tools. Leaving them out halves the build.
disabled_modules=(
  amstream concrt140 d2d1 d3d10 d3d10_1 d3d10core d3d11 d3d12 d3d8 d3d8thk d3d9
  d3dcompiler_33 d3dcompiler_34 d3dcompiler_35 d3dcompiler_36 d3dcompiler_37
  d3dcompiler_38 d3dcompiler_39 d3dcompiler_40 d3dcompiler_41 d3dcompiler_42
  d3dcompiler_43 d3dcompiler_46 d3dcompiler_47 d3dim d3dim700 d3drm d3dx10_33 d3dx10_34
  d3dx10_35 d3dx10_36 d3dx10_37 d3dx10_38 d3dx10_39 d3dx10_40 d3dx10_41 d3dx10_42
  d3dx10_43 d3dx11_42 d3dx11_43 d3dx9_24 d3dx9_25 d3dx9_26 d3dx9_27 d3dx9_28 d3dx9_29
  d3dx9_30 d3dx9_31 d3dx9_32 d3dx9_33 d3dx9_34 d3dx9_35 d3dx9_36 d3dx9_37 d3dx9_38
  d3dx9_39 d3dx9_40 d3dx9_41 d3dx9_42 d3dx9_43 d3dxof ddraw ddrawex dinput dinput8
  dmband dmcompos dmime dmloader dmscript dmstyle dmsynth dmusic dmusic32 dplay dplayx
  dpnaddr dpnet dpnhpast dpnhupnp dpnlobby dsound dwrite dx8vb dxdiagn dxgi dxtrans
  dxva2 gphoto2.ds jscript mapi32 mapistub mf mf3216 mferror mfmediaengine mfplat mfplay
  mfreadwrite mfsrcsnk msado15 mscoree msdasql mshtml mshtml.tlb msvcirt msvcp100
  msvcp110 msvcp120 msvcp120_app msvcp140 msvcp140_1 msvcp140_2 msvcp140_atomic_wait
  msvcp60 msvcp70 msvcp71 msvcp80 msvcp90 msvcr100 msvcr110 msvcr120 msvcr120_app
  msvcr70 msvcr71 msvcr80 msvcr90 msvcrtd odbc32 odbcbcp odbccp32 odbccu32 opencl qcap
  qdvd qedit quartz sane.ds twain_32 vbscript vcomp vcomp100 vcomp110 vcomp120 vcomp140
  vcomp90 wined3d winegstreamer winemapi wmp wmphoto wmvcore x3daudio1_0 x3daudio1_1
  x3daudio1_2 x3daudio1_3 x3daudio1_4 x3daudio1_5 x3daudio1_6 x3daudio1_7 xactengine2_0
  xactengine2_4 xactengine2_7 xactengine2_9 xactengine3_0 xactengine3_1 xactengine3_2
  xactengine3_3 xactengine3_4 xactengine3_5 xactengine3_6 xactengine3_7 xapofx1_1
  xapofx1_2 xapofx1_3 xapofx1_4 xapofx1_5 xaudio2_0 xaudio2_1 xaudio2_2 xaudio2_3
  xaudio2_4 xaudio2_5 xaudio2_6 xaudio2_7 xaudio2_8 xaudio2_9 xinput1_1 xinput1_2
  xinput1_3 xinput1_4 xinput9_1_0 xinputuap aspnet_regiis cabarc certutil clock cscript
  dism dplaysvr dpnsvr dpvsetup dxdiag hh iexplore mshta msidb msinfo32 ngen notepad
  oleview powershell presentationfontcache progman regasm regsvcs servicemodelreg
  taskmgr termsv uninstaller view winefile winemine winetest wmplayer wordpad
  write wscript winhlp32 winemsibuilder faudio vkd3d mpg123 gsm jxr
)

configure_args=(
  --enable-archs=i386,x86_64 --enable-maintainer-mode --disable-tests --disable-win16 --with-mingw
  --without-oss --without-sane --without-netapi --without-alsa --without-pulse
  --without-gstreamer --without-cups --without-gphoto --without-krb5 --without-opencl
  --without-pcap --without-usb --without-v4l2 --without-sdl --without-udev --without-capi
  --without-dbus --without-opengl --without-osmesa --without-unwind --without-inotify
  --without-gssapi --without-vulkan
  "${disabled_modules[@]/#/--disable-}"
  "CFLAGS=-O1 -g0" "CROSSCFLAGS=-O1 -g0"
)

if [ "${1:-}" = --describe ]; then
  printf '%s\n' "wine new-wow64" "${configure_args[@]}"
  exit 0
fi
if [ $# -ne 3 ]; then
  echo "usage: $0 --describe | SOURCE PREFIX BUILD" >&2
  exit 2
fi
src=$(cd "$1" && pwd) prefix=$2 build=$3

rm -rf "$build" "$prefix"
cp -a "$src" "$build"
cd "$build"
# Generated files that the repacked source leaves out, made as debian/rules
# makes them before configure.
./debian/scripts/generate server/trace.generated make_requests
./debian/scripts/generate server/request.generated make_requests
./tools/make_unicode
./tools/make_requests
(cd dlls/dsound && ./make_fir)
(cd dlls/opengl32 && ./make_opengl)
(cd dlls/winevulkan && ./make_vulkan -x /usr/share/vulkan/registry/vk.xml)
ln -sf /usr/share/misc/config.sub tools
ln -sf /usr/share/misc/config.guess tools
# Pictures shared between modules, linked where debian/rules links them.
while read -r target link; do
  ln -sf "$target" "$link"
done <<'LINKS'
../../dlls/user32/resources/oic_hand.svg dlls/display.drv16/oic_hand.svg
../../dlls/user32/resources/oic_bang.svg dlls/comctl32/idi_tt_warn_sm.svg
../../dlls/user32/resources/oic_note.svg dlls/comctl32/idi_tt_info_sm.svg
../../dlls/user32/resources/oic_hand.svg dlls/comctl32/idi_tt_error_sm.svg
../../dlls/shell32/resources/move.svg dlls/comctl32/idi_dragarrow.svg
../../dlls/shell32/resources/image.svg programs/regedit/bin.svg
../../dlls/shell32/resources/folder.svg programs/regedit/folder.svg
../../dlls/shell32/resources/document.svg programs/regedit/string.svg
../../dlls/shell32/resources/mycomputer.svg programs/regedit/computer.svg
../../dlls/shell32/resources/folder_open.svg programs/regedit/folderopen.svg
../../dlls/shell32/resources/window.svg programs/taskmgr/window.svg
../../dlls/shell32/resources/window.svg programs/taskmgr/windowsm.svg
../../dlls/shell32/resources/drive.svg dlls/comdlg32/hdisk.svg
../../dlls/shell32/resources/folder.svg dlls/comdlg32/folder.svg
../../dlls/shell32/resources/network.svg dlls/comdlg32/network.svg
../../dlls/shell32/resources/folder_open.svg dlls/comdlg32/folder2.svg
../../dlls/shell32/resources/disk_drive.svg dlls/comdlg32/floppy.svg
../../dlls/shell32/resources/optical_drive.svg dlls/comdlg32/cdrom.svg
LINKS
# Debian's patches touch configure.ac.
autoreconf -fi

./configure --prefix="$prefix" "${configure_args[@]}"
# Wine's headers first, as debian/rules does: the mingw cross compilers need
# them before anything else.
make -C include
nice -n 5 make -j"$(nproc)"
make install

# Debian's Wine links its Windows modules against the mingw zlib (zlib1.dll of
# libz-mingw-w64) instead of a bundled copy, and its package installs that
# DLL among Wine's own, marked as a Wine builtin so that Wine loads it from
# there: the same as libwine's postinst does.
for arch in i686:i386 x86_64:x86_64; do
  dll=/usr/${arch%:*}-w64-mingw32/lib/zlib1.dll
  out="$prefix/lib/${arch#*:}-windows/zlib1.dll"
  {
    head -c 64 "$dll"
    printf 'Wine builtin DLL'
    printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
    tail -c +97 "$dll"
  } >"$out"
done
