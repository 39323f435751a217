/*
 * A weston module for the end-to-end tests: a seat with a keyboard and a
 * pointer that a test drives, for compositors without input devices (the
 * headless backend). weston 10 offers no virtual keyboard protocol, so the
 * keys come in through the compositor's own input path, exactly as a real
 * keyboard's would, and reach the game as ordinary wl_keyboard events.
 *
 * weston --backend=headless-backend.so --modules=<path>/novagrid-test-seat.so
 * with NOVAGRID_TEST_SEAT=<socket path> in its environment. The test connects
 * to that Unix stream socket and sends one command a line; every command is
 * answered with zero or more lines and then "ok" (or "error <reason>"):
 *
 *   key <linux key code> press|release
 *   motion <x> <y>                 the pointer to a point of the desktop
 *   button <linux button code> press|release
 *   windows                        one line per mapped window, front to
 *                                  back: id x y width height focused title
 *                                  (tab separated; the id stays the same
 *                                  while the window lives, focused is 1 for
 *                                  the window with the keyboard focus)
 *   capture <id> <path>            writes what the window shows now, its
 *                                  whole surface with the decorations the
 *                                  client draws, to <path> as a binary PPM
 *                                  (P6); "error" when the window is gone
 */

#include <errno.h>
#include <stdbool.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <libweston-desktop/libweston-desktop.h>
#include <libweston/libweston.h>
#include <wayland-server-core.h>
#include <wayland-server-protocol.h>

#include <weston.h>

/* Exported by libweston 10 but declared only in its internal header. */
void weston_seat_init(struct weston_seat *seat, struct weston_compositor *compositor, const char *seat_name);
int weston_seat_init_keyboard(struct weston_seat *seat, struct xkb_keymap *keymap);
int weston_seat_init_pointer(struct weston_seat *seat);
void weston_seat_release(struct weston_seat *seat);
void notify_key(struct weston_seat *seat, const struct timespec *time, uint32_t key,
		enum wl_keyboard_key_state state, enum weston_key_state_update update_state);
void notify_motion_absolute(struct weston_seat *seat, const struct timespec *time, double x, double y);
void notify_button(struct weston_seat *seat, const struct timespec *time, int32_t button,
		   enum wl_pointer_button_state state);
void notify_pointer_frame(struct weston_seat *seat);

enum { LINE_MAX_LENGTH = 256 };

struct test_seat {
	struct weston_compositor *compositor;
	struct weston_seat seat;
	struct wl_listener destroy_listener;
	struct wl_event_source *listening;
	int listen_fd;
	char *path;
	struct wl_list connections;
};

struct connection {
	struct test_seat *owner;
	struct wl_list link;
	struct wl_event_source *source;
	int fd;
	char line[LINE_MAX_LENGTH];
	size_t length;
};

static void
send_text(struct connection *connection, const char *text)
{
	size_t left = strlen(text);
	while (left > 0) {
		ssize_t written = write(connection->fd, text, left);
		if (written < 0) {
			if (errno == EINTR)
				continue;
			return;
		}
		text += written;
		left -= (size_t)written;
	}
}

static bool
parse_state(const char *word, bool *pressed)
{
	if (strcmp(word, "press") == 0)
		*pressed = true;
	else if (strcmp(word, "release") == 0)
		*pressed = false;
	else
		return false;
	return true;
}

/* Titles go on one line: tabs and line breaks in them become spaces. */
static void
send_window(struct connection *connection, struct weston_view *view, struct weston_surface *focus)
{
	struct weston_desktop_surface *window = weston_surface_get_desktop_surface(view->surface);
	struct weston_geometry geometry = weston_desktop_surface_get_geometry(window);
	const char *title = weston_desktop_surface_get_title(window);
	char line[LINE_MAX_LENGTH * 2];
	int length = snprintf(line, sizeof line, "%p\t%d\t%d\t%d\t%d\t%d\t", (void *)view->surface,
			      (int)view->geometry.x + geometry.x, (int)view->geometry.y + geometry.y,
			      geometry.width, geometry.height, view->surface == focus);
	if (length < 0 || (size_t)length >= sizeof line)
		return;
	for (const char *c = title ? title : ""; *c != '\0' && (size_t)length < sizeof line - 2; ++c)
		line[length++] = (*c == '\t' || *c == '\n' || *c == '\r') ? ' ' : *c;
	line[length++] = '\n';
	line[length] = '\0';
	send_text(connection, line);
}

static void
send_windows(struct connection *connection)
{
	struct weston_compositor *compositor = connection->owner->compositor;
	struct weston_keyboard *keyboard = connection->owner->seat.keyboard_state;
	struct weston_layer *layer;
	struct weston_view *view;

	wl_list_for_each(layer, &compositor->layer_list, link) {
		wl_list_for_each(view, &layer->view_list.link, layer_link.link) {
			if (weston_view_is_mapped(view) && weston_surface_is_desktop_surface(view->surface))
				send_window(connection, view, keyboard ? keyboard->focus : NULL);
		}
	}
}

static struct weston_surface *
find_window(struct weston_compositor *compositor, const char *id)
{
	struct weston_layer *layer;
	struct weston_view *view;
	char name[32];

	wl_list_for_each(layer, &compositor->layer_list, link) {
		wl_list_for_each(view, &layer->view_list.link, layer_link.link) {
			snprintf(name, sizeof name, "%p", (void *)view->surface);
			if (weston_view_is_mapped(view) && weston_surface_is_desktop_surface(view->surface) &&
			    strcmp(name, id) == 0)
				return view->surface;
		}
	}
	return NULL;
}

/* The renderer hands out RGBA bytes, top row first. */
static bool
capture_window(struct weston_surface *surface, const char *path)
{
	int width = 0, height = 0;
	bool written = false;
	unsigned char *pixels;
	FILE *file;

	weston_surface_get_content_size(surface, &width, &height);
	if (width <= 0 || height <= 0)
		return false;
	pixels = malloc((size_t)width * (size_t)height * 4);
	if (!pixels)
		return false;
	if (weston_surface_copy_content(surface, pixels, (size_t)width * (size_t)height * 4, 0, 0, width,
					height) == 0 &&
	    (file = fopen(path, "wb")) != NULL) {
		written = fprintf(file, "P6\n%d %d\n255\n", width, height) > 0;
		for (size_t i = 0; written && i < (size_t)width * (size_t)height; ++i)
			written = fwrite(pixels + 4 * i, 1, 3, file) == 3;
		written = fclose(file) == 0 && written;
	}
	free(pixels);
	return written;
}

static void
run_command(struct connection *connection, char *line)
{
	struct weston_seat *seat = &connection->owner->seat;
	char verb[16], word[16], id[32], path[LINE_MAX_LENGTH];
	struct weston_surface *window;
	unsigned code;
	double x, y;
	bool pressed;
	struct timespec now;

	weston_compositor_get_time(&now);
	if (sscanf(line, "%15s", verb) != 1) {
		send_text(connection, "error empty command\n");
	} else if (strcmp(verb, "key") == 0 && sscanf(line, "key %u %15s", &code, word) == 2 &&
		   parse_state(word, &pressed)) {
		notify_key(seat, &now, code,
			   pressed ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED,
			   STATE_UPDATE_AUTOMATIC);
		send_text(connection, "ok\n");
	} else if (strcmp(verb, "motion") == 0 && sscanf(line, "motion %lf %lf", &x, &y) == 2) {
		notify_motion_absolute(seat, &now, x, y);
		notify_pointer_frame(seat);
		send_text(connection, "ok\n");
	} else if (strcmp(verb, "button") == 0 && sscanf(line, "button %u %15s", &code, word) == 2 &&
		   parse_state(word, &pressed)) {
		notify_button(seat, &now, (int32_t)code,
			      pressed ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
		notify_pointer_frame(seat);
		send_text(connection, "ok\n");
	} else if (strcmp(verb, "windows") == 0) {
		send_windows(connection);
		send_text(connection, "ok\n");
	} else if (strcmp(verb, "capture") == 0 && sscanf(line, "capture %31s %255s", id, path) == 2) {
		window = find_window(connection->owner->compositor, id);
		if (!window)
			send_text(connection, "error no such window\n");
		else if (!capture_window(window, path))
			send_text(connection, "error cannot capture the window\n");
		else
			send_text(connection, "ok\n");
	} else {
		send_text(connection, "error unknown command\n");
	}
}

static void
close_connection(struct connection *connection)
{
	wl_event_source_remove(connection->source);
	close(connection->fd);
	wl_list_remove(&connection->link);
	free(connection);
}

static int
on_readable(int fd, uint32_t mask, void *data)
{
	struct connection *connection = data;
	char chunk[LINE_MAX_LENGTH];
	ssize_t got = (mask & WL_EVENT_READABLE) ? read(fd, chunk, sizeof chunk) : 0;

	if (got < 0 && errno == EINTR)
		return 0;
	if (got <= 0) {
		close_connection(connection);
		return 0;
	}
	for (ssize_t i = 0; i < got; ++i) {
		if (chunk[i] != '\n') {
			/* A line too long for any command is cut; the command then fails. */
			if (connection->length < sizeof connection->line - 1)
				connection->line[connection->length++] = chunk[i];
			continue;
		}
		connection->line[connection->length] = '\0';
		connection->length = 0;
		run_command(connection, connection->line);
	}
	return 0;
}

static int
on_connect(int fd, uint32_t mask, void *data)
{
	struct test_seat *owner = data;
	struct wl_event_loop *loop = wl_display_get_event_loop(owner->compositor->wl_display);
	struct connection *connection;
	int client = accept4(fd, NULL, NULL, SOCK_CLOEXEC);

	(void)mask;
	if (client < 0)
		return 0;
	connection = calloc(1, sizeof *connection);
	if (!connection) {
		close(client);
		return 0;
	}
	connection->owner = owner;
	connection->fd = client;
	connection->source = wl_event_loop_add_fd(loop, client, WL_EVENT_READABLE, on_readable, connection);
	if (!connection->source) {
		close(client);
		free(connection);
		return 0;
	}
	wl_list_insert(&owner->connections, &connection->link);
	return 0;
}

static void
on_compositor_destroy(struct wl_listener *listener, void *data)
{
	struct test_seat *owner = wl_container_of(listener, owner, destroy_listener);
	struct connection *connection, *next;

	(void)data;
	wl_list_for_each_safe(connection, next, &owner->connections, link)
		close_connection(connection);
	wl_event_source_remove(owner->listening);
	close(owner->listen_fd);
	unlink(owner->path);
	free(owner->path);
	weston_seat_release(&owner->seat);
	free(owner);
}

static int
listen_on(const char *path)
{
	struct sockaddr_un address = { .sun_family = AF_UNIX };
	int fd;

	if (strlen(path) >= sizeof address.sun_path) {
		weston_log("test seat: socket path too long: %s\n", path);
		return -1;
	}
	strcpy(address.sun_path, path);
	fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (fd < 0)
		return -1;
	unlink(path);
	if (bind(fd, (struct sockaddr *)&address, sizeof address) < 0 || listen(fd, 4) < 0) {
		weston_log("test seat: cannot listen on %s: %s\n", path, strerror(errno));
		close(fd);
		return -1;
	}
	return fd;
}

WL_EXPORT int
wet_module_init(struct weston_compositor *compositor, int *argc, char *argv[])
{
	const char *path = getenv("NOVAGRID_TEST_SEAT");
	struct wl_event_loop *loop = wl_display_get_event_loop(compositor->wl_display);
	struct test_seat *owner;

	(void)argc;
	(void)argv;
	if (!path || !*path) {
		weston_log("test seat: NOVAGRID_TEST_SEAT names no socket\n");
		return -1;
	}
	owner = calloc(1, sizeof *owner);
	if (!owner)
		return -1;
	owner->compositor = compositor;
	wl_list_init(&owner->connections);

	/* The socket opens only once the seat is ready: a test that reaches it can type. */
	weston_seat_init(&owner->seat, compositor, "test-seat");
	if (weston_seat_init_keyboard(&owner->seat, NULL) < 0 || weston_seat_init_pointer(&owner->seat) < 0) {
		weston_log("test seat: no keyboard or pointer\n");
		weston_seat_release(&owner->seat);
		free(owner);
		return -1;
	}
	owner->path = strdup(path);
	owner->listen_fd = owner->path ? listen_on(path) : -1;
	if (owner->listen_fd < 0) {
		weston_seat_release(&owner->seat);
		free(owner->path);
		free(owner);
		return -1;
	}
	owner->listening = wl_event_loop_add_fd(loop, owner->listen_fd, WL_EVENT_READABLE, on_connect, owner);
	owner->destroy_listener.notify = on_compositor_destroy;
	wl_signal_add(&compositor->destroy_signal, &owner->destroy_listener);
	weston_log("test seat: listening on %s\n", path);
	return 0;
}
