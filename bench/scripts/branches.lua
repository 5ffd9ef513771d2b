-- Comparisons in if, while and repeat.
local n, s, i = 0, 0, 0
while i < 1000000 do
  if i % 3 == 0 then
    s = s + 1
  elseif i % 3 == 1 then
    s = s + 2
  else
    s = s - 1
  end
  if s > 1000 then s = s - 1000 end
  local j = 0
  repeat
    j = j + 1
  until j >= 3
  n = n + j
  i = i + 1
end
return s + n
