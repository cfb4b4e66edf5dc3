-- Church numerals as functions: builds k from zero by successors,
-- multiplies it by itself and turns it back into an integer for k from
-- 200 down to 1, and adds 3 to the 12th taken as a numeral to a numeral.
-- Prints 2686700 + 531441 = 3218141.
local function zero(f) return function(x) return x end end
local function succ(n)
  return function(f) return function(x) return f(n(f)(x)) end end
end
local function times(m, n) return function(f) return m(n(f)) end end
local function power(m, n) return n(m) end

local function church(k)
  if k < 1 then return zero end
  return succ(church(k - 1))
end

local function toint(n) return n(function(x) return x + 1 end)(0) end

local function squares(k, acc)
  while k >= 1 do
    local c = church(k)
    acc = acc + toint(times(c, c))
    k = k - 1
  end
  return acc
end

print(squares(200, 0) + toint(power(church(3), church(12))))
