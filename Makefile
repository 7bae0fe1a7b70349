# make run    build, then run the saver full screen under Wine
# make test   build, then run every suite (native, Windows under Wine, end-to-end)
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

bench: win
	cmake --build --preset native --target render_bench
	build/native/bench/render_bench
	cmake --build --preset win --target control_bench
	xvfb-run -a -s "-screen 0 1920x1080x24" scripts/wine-run build/win/control_bench.exe

clean:
	rm -rf build/native build/win build/movie build/wineprefix
