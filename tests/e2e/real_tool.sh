#!/bin/sh
# Copied into a program's tools folder as x264.exe, mkvmerge.exe and
# neroaacenc.exe: Wine's cmd starts a Linux program of that name, and this
# one hands the call on to Debian's tool. Windows paths (Z:\...) become Unix
# ones, "nul" becomes /dev/null, and x264 reads the clip that the AviSynth
# wrapper names (fs="..."), since it opens no .avs itself. Every call is
# appended to calls.log beside it, as the stand-ins do.
here=$(dirname "$0")
tool=$(basename "$0" .exe)
printf '%s %s\r\n' "$tool" "$*" >> "$here/calls.log"
unix() {
  case "$1" in
    [Zz]:\\*) printf '%s' "${1#??}" | tr '\\' '/' ;;
    nul) printf '/dev/null' ;;
    *) printf '%s' "$1" ;;
  esac
}
n=$#
for a in "$@"; do
  a=$(unix "$a")
  case "$tool:$a" in
    x264:*.avs) a=$(unix "$(sed -n 's/^fs="\(.*\)"\r*$/\1/p' "$a")") ;;
  esac
  set -- "$@" "$a"
done
shift "$n"
case "$tool" in
  x264) exec timeout 60 /usr/bin/x264 "$@" ;;
  mkvmerge) exec timeout 60 /usr/bin/mkvmerge -q "$@" ;;
  neroaacenc)
    # The audio comes from the stand-in bepipe; one second of silence in AAC
    # is all a mux needs. Arguments: -if - -of FILE ...
    cat > /dev/null
    exec timeout 60 ffmpeg -loglevel error -y -f lavfi -i anullsrc=r=48000:cl=stereo -t 1 -c:a aac -f mp4 "$4" ;;
esac
echo "real_tool.sh: no tool $tool" >&2
exit 2
