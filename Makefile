# make run    build, then run the saver full screen under Wine
# make test   build, then run every suite (native, Windows under Wine, end-to-end)
# make shot   build, then render a sample still of the clock into build/shot/clock.jpg
.PHONY: all bootstrap build native win test run shot bench clean

all: build

bootstrap:
	@scripts/bootstrap --check || scripts/bootstrap

native: bootstrap
	cmake --preset native
	cmake --build --preset native

win: native
	cmake --preset win
	cmake --build --preset win

build: win

test: build
	scripts/run-tests

run: build
	scripts/run-saver

# qtool runs the still renderer so that its log line, if any, is shown; on a virtual screen
# when there is no display.
SHOT_DIR := $(CURDIR)/build/shot
shot: build
	@mkdir -p $(SHOT_DIR) && rm -f $(SHOT_DIR)/clock.jpg
	@cd $(SHOT_DIR) && export WINEPREFIX=$(CURDIR)/build/wineprefix; \
	  run="$(CURDIR)/scripts/wine-run $(CURDIR)/build/win/qtool.exe run --timeout 120000 -- \
	    Z:$(subst /,\\,$(CURDIR)/build/win/quorlin.scr) /shot=clock.jpg"; \
	  if [ -n "$$DISPLAY" ]; then out=$$($$run 2>/dev/null); \
	  else out=$$(xvfb-run -a -s "-screen 0 1920x1080x24" $$run 2>/dev/null); fi; \
	  wineserver -k 2>/dev/null; \
	  echo "$$out" | sed -n 's/^debug: //p'; \
	  status=$$(echo "$$out" | sed -n 's/^exit: //p' | tr -d '\r'); \
	  if [ "$$status" != 0 ] || [ ! -s clock.jpg ]; then echo "quorlin.scr /shot failed (exit code $${status:-none})" >&2; exit 1; fi; \
	  echo $(SHOT_DIR)/clock.jpg

bench: win
	cmake --build --preset native --target render_bench
	build/native/bench/render_bench
	cmake --build --preset win --target control_bench
	xvfb-run -a -s "-screen 0 1920x1080x24" scripts/wine-run build/win/control_bench.exe

clean:
	rm -rf build/native build/win build/movie build/wineprefix
