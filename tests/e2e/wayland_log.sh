# Reading the protocol traffic that a Wayland client writes with
# WAYLAND_DEBUG=client. Sourced, not run. libwayland writes an object as
# interface@id up to 1.22, interface#id from 1.23.

# window_mapped LOG: the surface has been configured, and a frame with a buffer committed.
window_mapped() {
  grep -q 'xdg_surface[@#][0-9]*\.ack_configure' "$1" && grep -q 'wl_surface[@#][0-9]*\.attach' "$1"
}
