# DORVALIX: make demo | make test | make bench | make dist | make icon
# Each target first installs what is missing (scripts/install-deps.sh, quiet when
# everything is there).

# Which Wine loader runs here is only known once Wine is installed: the targets that
# run Windows programs install what they need first, then go on in a second make that
# is told the answer (WINE_ARCH on its command line; scripts/wine-arch.sh keeps it in
# build/ until the machine's packages change): wow64 where both loaders run, i686 or
# x86_64 where only the 32-bit or the 64-bit one does. Given by the user, WINE_ARCH=i686
# runs the product in a 32-bit prefix, as 32-bit Windows runs it, and WINE_ARCH=x86_64
# the x86-64 build under wine64, also where both loaders run.
WINE_ARCH_ASKED = $(if $(WINE_ARCH),$(WINE_ARCH),$$(scripts/wine-arch.sh))
# The tree whose programs run under Wine here: the product's own (win32) where the
# 32-bit Wine loader runs, else the same sources built for x86-64.
RUN_TREE = $(if $(filter i686 wow64,$(WINE_ARCH)),build/win32,build/win64)
# How the Windows tests run, in one line.
WINE_WAY_wow64 = the product (i686) in a 64-bit prefix, as 64-bit Windows runs it
WINE_WAY_i686 = the product (i686) in a 32-bit prefix, without the registry redirection of 64-bit Windows (only the 32-bit loader starts here, or WINE_ARCH=i686 was asked for)
WINE_WAY_x86_64 = the x86-64 build in a 64-bit prefix, not the product itself (only the 64-bit loader starts here, or WINE_ARCH=x86_64 was asked for)
JOBS ?= 2
MAKEFLAGS += --no-print-directory
CMAKE_QUIET = -Wno-dev -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
VERSION := $(shell cat VERSION)

.PHONY: all deps native asan fuzzbuild win32 win64 runtree demo test fuzz bench dist install-wine icon clean \
        demo-after-deps test-after-deps install-wine-after-deps bench-after-deps

# The targets that run Windows programs: the packages first, then the rest with Wine's
# answer.
demo test install-wine bench:
	@sh scripts/install-deps.sh $(DEPS_$@)
	@$(MAKE) WINE_ARCH=$(WINE_ARCH_ASKED) $@-after-deps

all: win32 native

# What each target needs installed (scripts/install-deps.sh names the packages).
DEPS_native = native
DEPS_asan = native
DEPS_fuzzbuild = native fuzz
DEPS_win32 = native windows dist
DEPS_win64 = native windows dist
DEPS_demo = native windows dist wine
DEPS_test = native fuzz windows dist wine
DEPS_bench = native windows dist wine
DEPS_install-wine = native windows dist wine

deps:
	@sh scripts/install-deps.sh

native:
	@sh scripts/install-deps.sh $(DEPS_native)
	@cmake -S . -B build/native $(CMAKE_QUIET)
	@cmake --build build/native -j$(JOBS)

asan:
	@sh scripts/install-deps.sh $(DEPS_asan)
	@cmake -S . -B build/native-asan -DDORVALIX_SANITIZE=ON $(CMAKE_QUIET)
	@cmake --build build/native-asan -j$(JOBS)

fuzzbuild:
	@sh scripts/install-deps.sh $(DEPS_fuzzbuild)
	@CXX=clang++ cmake -S . -B build/fuzz -DDORVALIX_FUZZ=ON $(CMAKE_QUIET)
	@cmake --build build/fuzz -j$(JOBS)

win32:
	@sh scripts/install-deps.sh $(DEPS_win32)
	@cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake $(CMAKE_QUIET)
	@cmake --build build/win32 -j$(JOBS)

win64:
	@sh scripts/install-deps.sh $(DEPS_win64)
	@cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake $(CMAKE_QUIET)
	@cmake --build build/win64 -j$(JOBS)

runtree: $(if $(filter i686 wow64,$(WINE_ARCH)),win32,win64)

demo-after-deps: win32 native runtree
	@RUN_TREE=$(RUN_TREE) scripts/demo.sh

test-after-deps: win32 native asan fuzzbuild runtree
	@echo "== fuzz targets, 20 s each"; FUZZ_SECONDS=20 scripts/fuzz.sh
	@echo "== native tests"; ctest --test-dir build/native --output-on-failure -j$(JOBS)
	@echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"; \
	    ctest --test-dir build/native-asan --output-on-failure -j$(JOBS)
	@echo "== Windows tests under Wine ($(WINE_ARCH)): $(WINE_WAY_$(WINE_ARCH))"; \
	    scripts/with-wine.sh ctest --test-dir $(RUN_TREE) --output-on-failure -j$(JOBS)
ifneq ($(RUN_TREE),build/win32)
	@echo "== checks of the product build/win32/DORVALIX.EXE that need no Wine"; \
	    ctest --test-dir build/win32 -L nowine --output-on-failure
endif

fuzz: fuzzbuild
	@scripts/fuzz.sh

# Into an existing Wine prefix: make install-wine PREFIX=~/.wine
install-wine-after-deps: win32 runtree
	@RUN_TREE=$(RUN_TREE) PREFIX="$(PREFIX)" scripts/install-wine.sh

bench-after-deps: native runtree
	@RUN_TREE=$(RUN_TREE) scripts/bench.sh

# The release: the product's zip and installer package with their checksums, packed again
# from build/win32 into build/dist (the same bytes as the tree's own), and signed where
# SIGN_PKCS12 names a PKCS#12 file and SIGN_PASSWORD_FILE the file that holds its
# password; time-stamped only where SIGN_TIMESTAMP_URL names a time-stamp server.
DIST_SIGNING = $(if $(SIGN_PKCS12),--sign "$(SIGN_PKCS12)" "$(SIGN_PASSWORD_FILE)") \
               $(if $(SIGN_TIMESTAMP_URL),--timestamp "$(SIGN_TIMESTAMP_URL)")
# Only the programs and their packing are built (the tree's dist target), not the tests.
dist:
	@sh scripts/install-deps.sh $(DEPS_win32)
	@cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake $(CMAKE_QUIET)
	@cmake --build build/win32 --target dist -j$(JOBS) >/dev/null
	@rm -rf build/dist
	@sh scripts/pack-release.sh $(DIST_SIGNING) build/win32 build/dist
	@cd build/dist && sha256sum -c --quiet SHA256SUMS && echo "SHA256SUMS:" && cat SHA256SUMS

# The program's icon, icon/dorvalix.ico, and docs/icon.png, remade from icon/dorvalix.svg.
icon:
	@sh scripts/make-icon.sh

clean:
	rm -rf build
